// GridLayout: a user's grid of equal cells, with an optional shortcut.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "core/grids/uuid.h"
#include "core/hotkeys/shortcut.h"

namespace corvella {

class Localizer;

struct GridLayout {
  UUID id;
  std::int64_t columns = 2;
  std::int64_t rows = 2;
  std::optional<Shortcut> shortcut;

  friend bool operator==(const GridLayout&, const GridLayout&) = default;
};

// columns × rows. Hand-edited values can be huge or negative: a product
// beyond the 64-bit range saturates at the nearest bound instead of wrapping.
std::int64_t cellCount(const GridLayout& layout);
// "%lld-way Split" with cellCount, e.g. "6-way Split".
std::string shortTitle(const GridLayout& layout, Localizer& localizer);
// The short title and "(columns×rows)", e.g. "6-way Split (3×2)".
std::string displayName(const GridLayout& layout, Localizer& localizer);

// The stored document: a JSON array of layouts. Absent on any decoding error.
std::optional<std::vector<GridLayout>> decodeGridLayouts(const std::string& document);
std::optional<std::string> encodeGridLayouts(const std::vector<GridLayout>& layouts);

}  // namespace corvella
