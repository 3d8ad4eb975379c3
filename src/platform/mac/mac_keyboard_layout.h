// MacKeyboardLayout: what the current ASCII-capable keyboard layout types for
// a key, through the text input sources and UCKeyTranslate.
#pragma once

#include "core/ports/keyboard_layout.h"

namespace corvella::mac {

class MacKeyboardLayout final : public KeyboardLayout {
 public:
  std::optional<std::string> translateKey(std::uint16_t keyCode) override;
};

}  // namespace corvella::mac
