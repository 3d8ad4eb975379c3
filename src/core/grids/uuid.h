// UUID: a 128-bit identity in its standard upper-case textual form.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvella {

struct UUID {
  std::array<std::uint8_t, 16> bytes{};

  // A fresh random (version 4) identity.
  static UUID random();
  // Accepts the 8-4-4-4-12 hexadecimal form in either letter case.
  static std::optional<UUID> parse(std::string_view text);
  // Upper-case 8-4-4-4-12 form, e.g. "E621E1F8-C36C-495A-93FC-0C247A3E6E5F".
  std::string uuidString() const;

  friend bool operator==(const UUID&, const UUID&) = default;
};

}  // namespace corvella
