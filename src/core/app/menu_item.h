// MenuItem: one item of a menu as plain data. The core decides every item,
// title and order; a shell turns the list into its own menu and hands the
// chosen item back.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/hotkeys/shortcut.h"

namespace corvella {

enum class MenuItemKind { item, separator, sectionHeader };

// What choosing the item does. Each has the selector text the macOS shell
// uses (selectorName).
enum class MenuAction {
  none,
  openAccessibilitySettings,
  runAction,
  runGrid,
  checkForUpdates,
  openSettings,
  toggleLogin,
  terminate,
  // The main menu's first-responder actions.
  performClose,
  cut,
  copy,
  paste,
  selectAll,
};

// Who receives the action: the application delegate, the updater controller,
// or nobody in particular (the application object or the first responder).
enum class MenuTarget { none, delegate, updater };

enum class MenuItemState { off, on };

// The command key in a key-equivalent modifier mask.
inline constexpr std::uint64_t commandKeyMask = 0x100000;

struct MenuItem {
  MenuItemKind kind = MenuItemKind::item;
  std::string title{};
  MenuAction action = MenuAction::none;
  MenuTarget target = MenuTarget::none;
  // An action's raw value ("leftHalf") or a grid layout's identifier.
  std::optional<std::string> representedObject{};
  // Empty: no key equivalent.
  std::string keyEquivalent{};
  std::uint64_t keyEquivalentModifierMask = 0;
  MenuItemState state = MenuItemState::off;
  // The global shortcut that runs the same action or grid layout, for shells
  // that spell it out themselves instead of showing a key equivalent.
  std::optional<Shortcut> hotKey{};

  static MenuItem separator() { return MenuItem{.kind = MenuItemKind::separator}; }
  static MenuItem sectionHeader(std::string title) {
    return MenuItem{.kind = MenuItemKind::sectionHeader, .title = std::move(title)};
  }

  friend bool operator==(const MenuItem&, const MenuItem&) = default;
};

// "runAction:", "openSettings", "terminate:", ...; empty for none.
std::string_view selectorName(MenuAction action);

}  // namespace corvella
