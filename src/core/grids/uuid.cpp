#include "core/grids/uuid.h"

#include <uuid/uuid.h>

#include <cstddef>

namespace corvella {

namespace {

constexpr std::size_t textLength = 36;
constexpr char upperHexDigits[] = "0123456789ABCDEF";

constexpr bool isHyphenPosition(std::size_t index) {
  return index == 8 || index == 13 || index == 18 || index == 23;
}

std::optional<std::uint8_t> hexValue(char c) {
  if (c >= '0' && c <= '9') return static_cast<std::uint8_t>(c - '0');
  if (c >= 'A' && c <= 'F') return static_cast<std::uint8_t>(c - 'A' + 10);
  if (c >= 'a' && c <= 'f') return static_cast<std::uint8_t>(c - 'a' + 10);
  return std::nullopt;
}

}  // namespace

UUID UUID::random() {
  uuid_t raw;
  uuid_generate_random(raw);
  UUID uuid;
  for (std::size_t i = 0; i < uuid.bytes.size(); ++i) uuid.bytes[i] = raw[i];
  return uuid;
}

std::optional<UUID> UUID::parse(std::string_view text) {
  if (text.size() != textLength) return std::nullopt;
  UUID uuid;
  std::size_t byte = 0;
  bool highNibble = true;
  for (std::size_t i = 0; i < textLength; ++i) {
    if (isHyphenPosition(i)) {
      if (text[i] != '-') return std::nullopt;
      continue;
    }
    const std::optional<std::uint8_t> nibble = hexValue(text[i]);
    if (!nibble) return std::nullopt;
    if (highNibble) {
      uuid.bytes[byte] = static_cast<std::uint8_t>(*nibble << 4);
    } else {
      uuid.bytes[byte] = static_cast<std::uint8_t>(uuid.bytes[byte] | *nibble);
      ++byte;
    }
    highNibble = !highNibble;
  }
  return uuid;
}

std::string UUID::uuidString() const {
  std::string text;
  text.reserve(textLength);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10) text.push_back('-');
    text.push_back(upperHexDigits[bytes[i] >> 4]);
    text.push_back(upperHexDigits[bytes[i] & 0x0F]);
  }
  return text;
}

}  // namespace corvella
