// The status item's menu delegate: rebuilds the menu from the core's item
// list each time it is about to open and hands chosen items back.
#pragma once

#import <AppKit/AppKit.h>

#include <functional>
#include <vector>

#include "core/app/menu_item.h"

namespace corvella::mac {

struct StatusMenuSource {
  // The whole menu for the state at this moment.
  std::function<std::vector<MenuItem>()> buildMenu;
  // Carries out a chosen item.
  std::function<void(const MenuItem&)> perform;
};

}  // namespace corvella::mac

@interface CorvellaStatusMenuController : NSObject <NSMenuDelegate>
- (instancetype)initWithSource:(corvella::mac::StatusMenuSource)source;
@end
