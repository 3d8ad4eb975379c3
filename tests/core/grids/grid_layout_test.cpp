// Titles of a grid layout: the localized short title and the display name.
#include "core/grids/grid_layout.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "core/grids/count_format.h"
#include "platform/sim/sim_platform.h"

namespace corvella {
namespace {

constexpr std::int64_t int64Max = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t int64Min = std::numeric_limits<std::int64_t>::min();

GridLayout grid(std::int64_t columns, std::int64_t rows) {
  return {.id = UUID{}, .columns = columns, .rows = rows, .shortcut = {}};
}

TEST(GridLayoutTest, TitlesNameTheCellsAndTheShape) {
  const struct {
    std::int64_t columns, rows;
    std::string displayName;
  } cases[] = {
      {3, 2, "6-way Split (3\u00D72)"},
      {12, 12, "144-way Split (12\u00D712)"},
      // Hand-edited values are shown as they are; the product saturates.
      {0, 5, "0-way Split (0\u00D75)"},
      {-3, 4, "-12-way Split (-3\u00D74)"},
      {4294967296, 4294967296, "9223372036854775807-way Split (4294967296\u00D74294967296)"},
  };
  sim::SimPlatform platform;
  for (const auto& c : cases) {
    EXPECT_EQ(displayName(grid(c.columns, c.rows), platform.localizer), c.displayName);
  }
  EXPECT_EQ(shortTitle(grid(3, 2), platform.localizer), "6-way Split");
}

TEST(GridLayoutTest, CellCountSaturatesInsteadOfOverflowing) {
  EXPECT_EQ(cellCount(grid(int64Max, -2)), int64Min);
  EXPECT_EQ(cellCount(grid(int64Min, -1)), int64Max);  // -(-2^63) does not fit
  EXPECT_EQ(cellCount(grid(int64Min, 1)), int64Min);
  EXPECT_EQ(cellCount(grid(int64Min, 0)), 0);
}

TEST(GridLayoutTest, OnlyTheShortTitleIsLocalized) {
  sim::SimPlatform platform;
  platform.localizer.setTranslation("%lld-way Split", "%lld분할");
  EXPECT_EQ(displayName(grid(3, 2), platform.localizer), "6분할 (3\u00D72)");
}

TEST(GridLayoutTest, FormatCountFillsOnlyTheCountSpecifier) {
  EXPECT_EQ(formatCount("%1$lld of %lld", -7), "-7 of -7");
  EXPECT_EQ(formatCount("100%% %lld", int64Min), "100% -9223372036854775808");
  EXPECT_EQ(formatCount("stray % and %d and %ll%", 5), "stray % and %d and %ll%");
}

}  // namespace
}  // namespace corvella
