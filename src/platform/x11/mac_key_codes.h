// Macintosh virtual key codes, the stored format of shortcuts, mapped to the
// physical X key codes of an evdev keyboard (X key code = Linux key code + 8).
// Physical positions, independent of the keyboard layout, as the virtual key
// codes are.
#pragma once

#include <cstdint>
#include <optional>

namespace corvella::x11 {

std::optional<std::uint8_t> xKeyCode(std::uint32_t macKeyCode);
std::optional<std::uint32_t> macKeyCode(std::uint8_t xKeyCode);

}  // namespace corvella::x11
