// Turns the core's menu descriptions into AppKit menu items. The core decides
// every title, key and order; this only maps them onto NSMenuItem.
#pragma once

#import <AppKit/AppKit.h>

#include <vector>

#include "core/app/main_menu.h"
#include "core/app/menu_item.h"

namespace corvella::mac {

// A separator, a section header or an item whose action is the item's selector.
// Items aimed at the delegate or the updater get target (which must answer
// their selectors); the others have no target, so that terminate: reaches the
// application and the edit commands the first responder. tag is stored on the
// item so the target can find its description again.
NSMenuItem* makeMenuItem(const MenuItem& item, id target, NSInteger tag);

// The main menu: one untitled top-level item per entry, holding its submenu.
NSMenu* makeMainMenu(const std::vector<MainMenuEntry>& entries);

}  // namespace corvella::mac
