// The status item's menu, rebuilt from the current state each time it opens.
#pragma once

#include <span>
#include <vector>

#include "core/app/menu_item.h"
#include "core/grids/grid_layout.h"
#include "core/ports/login_item.h"

namespace corvella {

class KeyboardLayout;
class Localizer;

// What the menu reflects at the moment it opens.
struct StatusMenuState {
  bool trusted = false;
  std::span<const GridLayout> layouts{};
  bool hasUpdater = false;
  LoginItemStatus loginStatus = LoginItemStatus::notRegistered;
};

// The whole menu in order: the Accessibility item, the seven action groups
// with the grid section between the tiling and the maximize groups, the
// update check (only with an updater), settings, launch at login, quit.
std::vector<MenuItem> buildStatusMenu(const StatusMenuState& state, Localizer& localizer,
                                      KeyboardLayout& keyboardLayout);

}  // namespace corvella
