// A grid layout's parts: the UUID's text form and the titles built from the
// column and row counts.
#include "core/grids/grid_layout.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "core/grids/count_format.h"
#include "platform/sim/sim_platform.h"
#include "uuid_printer.h"

namespace corvella {
namespace {

constexpr std::int64_t int64Max = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t int64Min = std::numeric_limits<std::int64_t>::min();

GridLayout grid(std::int64_t columns, std::int64_t rows) {
  return {.id = UUID{}, .columns = columns, .rows = rows, .shortcut = {}};
}

TEST(UUIDTest, UpperCaseTextParsedBackInEitherCase) {
  constexpr UUID sample{{0xE6, 0x21, 0xE1, 0xF8, 0xC3, 0x6C, 0x49, 0x5A, 0x93, 0xFC, 0x0C, 0x24,
                         0x7A, 0x3E, 0x6E, 0x5F}};
  EXPECT_EQ(sample.uuidString(), "E621E1F8-C36C-495A-93FC-0C247A3E6E5F");
  EXPECT_EQ(UUID::parse("e621E1f8-c36c-495a-93fC-0c247a3e6e5f"), sample);
  for (const char* refused :
       {"", "E621E1F8-C36C-495A-93FC-0C247A3E6E5", "E621E1F8C36C-495A-93FC-0C247A3E6E5F0",
        "E621E1F8-C36C-495A-93FC_0C247A3E6E5F", "E621E1F8-C36C-495A-93FC-0C247A3E6E5G",
        "+621E1F8-C36C-495A-93FC-0C247A3E6E5F", "E621E1F8C36C495A93FC0C247A3E6E5F"}) {
    EXPECT_EQ(UUID::parse(refused), std::nullopt) << refused;
  }
  // A random one is version 4 with the standard variant.
  const UUID random = UUID::random();
  EXPECT_NE(random, UUID::random());
  EXPECT_EQ(random.bytes[6] >> 4, 4);
  EXPECT_EQ(random.bytes[8] & 0xC0, 0x80);
}

TEST(GridLayoutTest, TitlesNameTheCellsAndTheShapeAndOnlyTheShortTitleIsLocalized) {
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
  platform.localizer.setTranslation("%lld-way Split", "%lld분할");
  EXPECT_EQ(displayName(grid(3, 2), platform.localizer), "6분할 (3\u00D72)");
}

TEST(GridLayoutTest, CellCountSaturatesInsteadOfOverflowing) {
  EXPECT_EQ(cellCount(grid(int64Max, -2)), int64Min);
  EXPECT_EQ(cellCount(grid(int64Min, -1)), int64Max);  // -(-2^63) does not fit
  EXPECT_EQ(cellCount(grid(int64Min, 0)), 0);
}

TEST(GridLayoutTest, FormatCountFillsOnlyTheCountSpecifier) {
  EXPECT_EQ(formatCount("%1$lld of %lld", -7), "-7 of -7");
  EXPECT_EQ(formatCount("100%% %lld", int64Min), "100% -9223372036854775808");
  EXPECT_EQ(formatCount("stray % and %d and %ll%", 5), "stray % and %d and %ll%");
}

}  // namespace
}  // namespace corvella
