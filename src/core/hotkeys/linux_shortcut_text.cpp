#include "core/hotkeys/linux_shortcut_text.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <utility>

#include "core/hotkeys/key_codes.h"

namespace corvella {
namespace {

// Keys whose layout text is white space, a control character or nothing,
// named as X names their keys; keypad keys keep their KP_ names so that they
// cannot be mistaken for the main keys.
constexpr std::array<std::pair<std::uint32_t, std::string_view>, 53> keyNames{{
    {KeyCode::returnKey, "Return"},
    {KeyCode::tab, "Tab"},
    {KeyCode::space, "Space"},
    {KeyCode::deleteKey, "BackSpace"},
    {KeyCode::escape, "Escape"},
    {KeyCode::forwardDelete, "Delete"},
    {KeyCode::leftArrow, "Left"},
    {KeyCode::rightArrow, "Right"},
    {KeyCode::downArrow, "Down"},
    {KeyCode::upArrow, "Up"},
    {114, "Insert"},  // Help on Macintosh keyboards
    {110, "Menu"},
    {115, "Home"},
    {119, "End"},
    {116, "Page_Up"},
    {121, "Page_Down"},
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
    {82, "KP_0"},
    {83, "KP_1"},
    {84, "KP_2"},
    {85, "KP_3"},
    {86, "KP_4"},
    {87, "KP_5"},
    {88, "KP_6"},
    {89, "KP_7"},
    {91, "KP_8"},
    {92, "KP_9"},
    {65, "KP_Decimal"},
    {67, "KP_Multiply"},
    {69, "KP_Add"},
    {75, "KP_Divide"},
    {76, "KP_Enter"},
    {78, "KP_Subtract"},
    {81, "KP_Equal"},
}};

}  // namespace

std::string linuxShortcutText(const Shortcut& shortcut, KeyboardLayout& layout) {
  std::string text;
  if (shortcut.modifiers & ModifierFlag::control) text += "Ctrl+";
  if (shortcut.modifiers & ModifierFlag::option) text += "Alt+";
  if (shortcut.modifiers & ModifierFlag::shift) text += "Shift+";
  if (shortcut.modifiers & ModifierFlag::command) text += "Super+";
  for (const auto& [keyCode, name] : keyNames) {
    if (keyCode == shortcut.keyCode) return text + std::string(name);
  }
  return text + namedKeyText(shortcut.keyCode, layout);
}

}  // namespace corvella
