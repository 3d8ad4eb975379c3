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

struct TitleCase {
  std::int64_t columns;
  std::int64_t rows;
  std::int64_t cells;
  std::string shortTitle;
  std::string displayName;
};

TEST(GridLayoutTest, TitlesNameTheCellsAndTheShape) {
  const TitleCase cases[] = {
      {3, 2, 6, "6-way Split", "6-way Split (3\u00D72)"},
      {2, 2, 4, "4-way Split", "4-way Split (2\u00D72)"},
      {6, 4, 24, "24-way Split", "24-way Split (6\u00D74)"},
      {12, 12, 144, "144-way Split", "144-way Split (12\u00D712)"},
      // Hand-edited values are shown as they are.
      {0, 5, 0, "0-way Split", "0-way Split (0\u00D75)"},
      {-3, 4, -12, "-12-way Split", "-12-way Split (-3\u00D74)"},
      {40, 40, 1600, "1600-way Split", "1600-way Split (40\u00D740)"},
      {4294967296, 4294967296, int64Max, "9223372036854775807-way Split",
       "9223372036854775807-way Split (4294967296\u00D74294967296)"},
  };
  sim::SimPlatform platform;
  for (const TitleCase& c : cases) {
    const GridLayout layout = grid(c.columns, c.rows);
    EXPECT_EQ(cellCount(layout), c.cells);
    EXPECT_EQ(shortTitle(layout, platform.localizer), c.shortTitle);
    EXPECT_EQ(displayName(layout, platform.localizer), c.displayName);
  }
}

TEST(GridLayoutTest, CellCountSaturatesInsteadOfOverflowing) {
  EXPECT_EQ(cellCount(grid(int64Max, 2)), int64Max);
  EXPECT_EQ(cellCount(grid(int64Max, -2)), int64Min);
  EXPECT_EQ(cellCount(grid(int64Min, 2)), int64Min);
  EXPECT_EQ(cellCount(grid(int64Min, -1)), int64Max);  // -(-2^63) does not fit
  EXPECT_EQ(cellCount(grid(int64Min, -2)), int64Max);
  EXPECT_EQ(cellCount(grid(int64Min, 1)), int64Min);
  EXPECT_EQ(cellCount(grid(int64Min, 0)), 0);
  EXPECT_EQ(cellCount(grid(int64Max, int64Max)), int64Max);
}

TEST(GridLayoutTest, OnlyTheShortTitleIsLocalized) {
  sim::SimPlatform platform;
  platform.localizer.setTranslation("%lld-way Split", "%lld분할");
  EXPECT_EQ(shortTitle(grid(3, 2), platform.localizer), "6분할");
  EXPECT_EQ(displayName(grid(3, 2), platform.localizer), "6분할 (3\u00D72)");
}

TEST(GridLayoutTest, FormatCountFillsOnlyTheCountSpecifier) {
  const struct {
    std::string format;
    std::int64_t count;
    std::string expected;
  } cases[] = {
      {"%lld-way Split", 6, "6-way Split"},
      {"Columns %lld", -7, "Columns -7"},
      {"%1$lld cells", 12, "12 cells"},
      {"%lld of %lld", 3, "3 of 3"},
      {"100%% %lld", 5, "100% 5"},
      {"no count", 5, "no count"},
      {"stray % and %d and %", 5, "stray % and %d and %"},
      {"%ll", 5, "%ll"},
      {"%lld", int64Min, "-9223372036854775808"},
  };
  for (const auto& c : cases) EXPECT_EQ(formatCount(c.format, c.count), c.expected) << c.format;
}

}  // namespace
}  // namespace corvella
