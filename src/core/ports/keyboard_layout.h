// KeyboardLayout: what the current layout types for a key.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace corvella {

class KeyboardLayout {
 public:
  virtual ~KeyboardLayout() = default;
  // The text the current ASCII-capable layout produces for the virtual key
  // code with no modifiers held (display action, no dead-key state), as
  // UTF-8, untrimmed. Absent when there is no layout or nothing is produced.
  virtual std::optional<std::string> translateKey(std::uint16_t keyCode) = 0;
};

}  // namespace corvella
