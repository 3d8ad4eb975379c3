// Virtual key codes the system names: keyboard positions, independent of the
// layout (0 is the key labelled A on a US keyboard).
#pragma once

#include <cstdint>

namespace corvella::KeyCode {

inline constexpr std::uint32_t a = 0;
inline constexpr std::uint32_t f = 3;
inline constexpr std::uint32_t z = 6;
inline constexpr std::uint32_t c = 8;
inline constexpr std::uint32_t returnKey = 36;
inline constexpr std::uint32_t tab = 48;
inline constexpr std::uint32_t space = 49;
inline constexpr std::uint32_t deleteKey = 51;
inline constexpr std::uint32_t escape = 53;
inline constexpr std::uint32_t forwardDelete = 117;
inline constexpr std::uint32_t leftArrow = 123;
inline constexpr std::uint32_t rightArrow = 124;
inline constexpr std::uint32_t downArrow = 125;
inline constexpr std::uint32_t upArrow = 126;

}  // namespace corvella::KeyCode
