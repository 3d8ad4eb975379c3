// The small main menu of the application: a Close item for the settings
// window and the Edit commands its text fields need. Every item goes to the
// first responder (no target).
#pragma once

#include <string>
#include <vector>

#include "core/app/menu_item.h"

namespace corvella {

class Localizer;

// One top-level item of the main menu: an untitled item holding a submenu.
struct MainMenuEntry {
  std::string submenuTitle{};
  std::vector<MenuItem> items{};
  friend bool operator==(const MainMenuEntry&, const MainMenuEntry&) = default;
};

// [untitled: Close ⌘W], [Edit: Cut ⌘X, Copy ⌘C, Paste ⌘V, Select All ⌘A].
std::vector<MainMenuEntry> buildMainMenu(Localizer& localizer);

}  // namespace corvella
