// The status menu as Qt draws it: one action per item of the core's list, in
// order, each hot key spelled out the Linux way after its title; the grid
// section's header as a disabled title; the check mark where the item is on.
#pragma once

#include <QMenu>
#include <functional>
#include <string>
#include <vector>

#include "core/app/menu_item.h"

namespace corvella::qt {

struct StatusMenuSource {
  // The whole menu for this moment, asked for each time the menu opens.
  std::function<std::vector<MenuItem>()> buildMenu;
  // A hot key as the desktop writes it ("Alt+Super+Left").
  std::function<std::string(const Shortcut&)> spellHotKey;
  // The item the user chose (the menu has closed by then).
  std::function<void(const MenuItem&)> choose;
};

// Empties the menu and fills it with the items.
void fillMenu(QMenu& menu, const std::vector<MenuItem>& items, const StatusMenuSource& source);

}  // namespace corvella::qt
