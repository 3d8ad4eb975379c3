#include "core/hotkeys/linux_spelling.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <utility>

#include "core/hotkeys/key_codes.h"

namespace corvella {
namespace {

// Keys that type no character, by virtual key code.
constexpr std::array<std::pair<std::uint32_t, std::string_view>, 37> keyNames{{
    {KeyCode::returnKey, "Return"},
    {KeyCode::tab, "Tab"},
    {KeyCode::space, "Space"},
    {KeyCode::deleteKey, "Backspace"},
    {KeyCode::escape, "Escape"},
    {KeyCode::forwardDelete, "Delete"},
    {KeyCode::leftArrow, "Left"},
    {KeyCode::rightArrow, "Right"},
    {KeyCode::downArrow, "Down"},
    {KeyCode::upArrow, "Up"},
    {76, "Enter"},    // the keypad's
    {114, "Insert"},  // Help on Macintosh keyboards
    {115, "Home"},
    {119, "End"},
    {116, "PageUp"},
    {121, "PageDown"},
    {122, "F1"},
    {120, "F2"},
    {99, "F3"},
    {118, "F4"},
    {96, "F5"},
    {97, "F6"},
    {98, "F7"},
    {100, "F8"},
    {101, "F9"},
    {109, "F10"},
    {103, "F11"},
    {111, "F12"},
    {105, "F13"},
    {107, "F14"},
    {113, "F15"},
    {106, "F16"},
    {64, "F17"},
    {79, "F18"},
    {80, "F19"},
    {90, "F20"},
    {110, "Menu"},
}};

}  // namespace

std::string linuxSpelling(const Shortcut& shortcut, KeyboardLayout& layout) {
  std::string text;
  if (shortcut.modifiers & ModifierFlag::control) text += "Ctrl+";
  if (shortcut.modifiers & ModifierFlag::option) text += "Alt+";
  if (shortcut.modifiers & ModifierFlag::shift) text += "Shift+";
  if (shortcut.modifiers & ModifierFlag::command) text += "Super+";
  for (const auto& [keyCode, name] : keyNames) {
    if (keyCode == shortcut.keyCode) return text + std::string(name);
  }
  // Without modifiers the display string is the key part alone: the layout's
  // text in upper case, or "#" and the code.
  return text + displayString(Shortcut{shortcut.keyCode, 0}, layout);
}

}  // namespace corvella
