#include "platform/qt/key_translation.h"

#include <array>
#include <utility>

#include "core/hotkeys/key_codes.h"
#include "core/hotkeys/shortcut.h"
#include "platform/x11/mac_key_codes.h"

namespace corvella::qt {
namespace {

// Virtual key codes of the letters A to Z and the digits 0 to 9 on a US
// keyboard, for events that carry no physical key.
constexpr std::array<std::uint16_t, 26> letterKeys{
    0, 11, 8, 2, 14, 3, 5, 4, 34, 38, 40, 37, 46, 45, 31, 35, 12, 15, 1, 17, 32, 9, 13, 7, 16, 6};
constexpr std::array<std::uint16_t, 10> digitKeys{29, 18, 19, 20, 21, 23, 22, 26, 28, 25};

constexpr std::array<std::pair<int, std::uint16_t>, 20> namedKeys{{
    {Qt::Key_Return, KeyCode::returnKey},
    {Qt::Key_Enter, 76},
    {Qt::Key_Tab, KeyCode::tab},
    {Qt::Key_Space, KeyCode::space},
    {Qt::Key_Backspace, KeyCode::deleteKey},
    {Qt::Key_Escape, KeyCode::escape},
    {Qt::Key_Delete, KeyCode::forwardDelete},
    {Qt::Key_Left, KeyCode::leftArrow},
    {Qt::Key_Right, KeyCode::rightArrow},
    {Qt::Key_Down, KeyCode::downArrow},
    {Qt::Key_Up, KeyCode::upArrow},
    {Qt::Key_Home, 115},
    {Qt::Key_End, 119},
    {Qt::Key_PageUp, 116},
    {Qt::Key_PageDown, 121},
    {Qt::Key_Insert, 114},
    {Qt::Key_Minus, 27},
    {Qt::Key_Equal, 24},
    {Qt::Key_Comma, 43},
    {Qt::Key_Period, 47},
}};

// F1 to F12, in order.
constexpr std::array<std::uint16_t, 12> functionKeys{122, 120, 99,  118, 96,  97,
                                                     98,  100, 101, 109, 103, 111};

bool isModifierKey(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_ScrollLock:
      return true;
    default:
      return false;
  }
}

std::optional<std::uint16_t> usKeyCode(int qtKey) {
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return letterKeys[qtKey - Qt::Key_A];
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return digitKeys[qtKey - Qt::Key_0];
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return functionKeys[qtKey - Qt::Key_F1];
  for (const auto& [key, code] : namedKeys) {
    if (key == qtKey) return code;
  }
  return std::nullopt;
}

}  // namespace

std::optional<KeyEvent> keyDownFromQt(int qtKey, quint32 nativeScanCode,
                                      Qt::KeyboardModifiers modifiers) {
  if (isModifierKey(qtKey)) return std::nullopt;
  std::optional<std::uint16_t> keyCode;
  if (nativeScanCode > 0 && nativeScanCode <= 0xFF) {
    if (auto physical = x11::macKeyCode(static_cast<std::uint8_t>(nativeScanCode))) {
      keyCode = static_cast<std::uint16_t>(*physical);
    }
  } else {
    keyCode = usKeyCode(qtKey);
  }
  if (!keyCode) return std::nullopt;

  std::uint64_t flags = 0;
  if (modifiers & Qt::ControlModifier) flags |= ModifierFlag::control;
  if (modifiers & Qt::AltModifier) flags |= ModifierFlag::option;
  if (modifiers & Qt::ShiftModifier) flags |= ModifierFlag::shift;
  if (modifiers & Qt::MetaModifier) flags |= ModifierFlag::command;
  return KeyEvent{*keyCode, flags};
}

}  // namespace corvella::qt
