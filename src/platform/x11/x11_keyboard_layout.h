// X11KeyboardLayout: the current layout's text for a key (through
// xkbcommon), for the Macintosh virtual key code's physical key.
#pragma once

#include "core/ports/keyboard_layout.h"
#include "platform/x11/mac_key_codes.h"
#include "platform/x11/x11_keyboard.h"

namespace corvella::x11 {

class X11KeyboardLayout final : public KeyboardLayout {
 public:
  explicit X11KeyboardLayout(X11Keyboard& keyboard) : keyboard_(keyboard) {}
  std::optional<std::string> translateKey(std::uint16_t keyCode) override {
    auto key = xKeyCode(keyCode);
    if (!key) return std::nullopt;
    return keyboard_.unshiftedText(*key);
  }

 private:
  X11Keyboard& keyboard_;
};

}  // namespace corvella::x11
