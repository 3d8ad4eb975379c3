// A grid layout's parts: the UUID's text form, the titles built from the
// column and row counts, and the stored document, a JSON array of layouts
// written in a fixed key order and read strictly, whatever a hand edit or a
// damaged file holds.
#include "core/grids/grid_layout.h"

#include <gtest/gtest.h>

#include <limits>

#include "core/grids/count_format.h"
#include "core/grids/json_nesting.h"
#include "platform/sim/sim_platform.h"
#include "uuid_printer.h"

namespace corvella {
namespace {

constexpr std::int64_t int64Max = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t int64Min = std::numeric_limits<std::int64_t>::min();

GridLayout grid(std::int64_t columns, std::int64_t rows) {
  return {.id = UUID{}, .columns = columns, .rows = rows, .shortcut = {}};
}

constexpr const char* idText = "E621E1F8-C36C-495A-93FC-0C247A3E6E5F";
const UUID id = *UUID::parse(idText);

// One layout with that id and the given members after it.
std::string withId(const std::string& rest) {
  return "[{\"id\":\"" + std::string(idText) + "\"" + rest + "}]";
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

TEST(GridLayoutDocumentTest, EncodesKeysInTheirOrderAndReadsThemInAnyOrder) {
  const std::vector<GridLayout> layouts{{.id = id,
                                         .columns = 3,
                                         .rows = 2,
                                         .shortcut = Shortcut{.keyCode = 18, .modifiers = 0xC0000}},
                                        {.id = *UUID::parse("00000000-0000-0000-0000-000000000001"),
                                         .columns = 12,
                                         .rows = 1,
                                         .shortcut = {}}};
  EXPECT_EQ(encodeGridLayouts(layouts),
            "[{\"id\":\"E621E1F8-C36C-495A-93FC-0C247A3E6E5F\",\"columns\":3,\"rows\":2,"
            "\"shortcut\":{\"keyCode\":18,\"modifiers\":786432}},"
            "{\"id\":\"00000000-0000-0000-0000-000000000001\",\"columns\":12,\"rows\":1}]");
  EXPECT_EQ(encodeGridLayouts({}), "[]");
  // Unknown keys are ignored; an absent or null shortcut is none.
  EXPECT_EQ(decodeGridLayouts(
                "[ {\"shortcut\": {\"modifiers\": 786432, \"keyCode\": 18}, \"rows\": 2,"
                "   \"id\": \"e621e1f8-c36c-495a-93fc-0c247a3e6e5f\", \"note\": {\"a\": [1]}, "
                "\"columns\": 3},"
                "  {\"rows\": 1, \"columns\": 12, \"shortcut\": null,"
                "   \"id\": \"00000000-0000-0000-0000-000000000001\"} ]"),
            layouts);
}

TEST(GridLayoutDocumentTest, HandEditedCountsLoadAndEncodeAsStored) {
  for (const std::string count : {"0", "-3", "40", "9223372036854775807", "-9223372036854775808"}) {
    const std::string document = withId(",\"columns\":" + count + ",\"rows\":" + count);
    const auto layouts = decodeGridLayouts(document);
    ASSERT_TRUE(layouts) << count;
    EXPECT_EQ(std::to_string(layouts->at(0).columns), count);
    EXPECT_EQ(encodeGridLayouts(*layouts), document);
  }
}

TEST(GridLayoutDocumentTest, AnyFaultAnywhereFailsTheWholeDocument) {
  const std::string good = withId(",\"columns\":1,\"rows\":1");
  const std::string goodLayout = good.substr(1, good.size() - 2);
  const std::string refused[] = {
      "",
      "null",
      "{}",
      "[] x",
      "[" + goodLayout + ",3]",
      "[" + goodLayout + ",{\"columns\":3,\"rows\":2}]",  // the second lacks an id
      withId(",\"columns\":3"),                           // no rows
      "[{\"id\":7,\"columns\":3,\"rows\":2}]",
      "[{\"id\":\"not-a-uuid\",\"columns\":3,\"rows\":2}]",
      withId(",\"columns\":3.0,\"rows\":2"),
      withId(",\"columns\":\"3\",\"rows\":2"),
      withId(",\"columns\":9223372036854775808,\"rows\":2"),
      withId(",\"columns\":-9223372036854775809,\"rows\":2"),
      withId(",\"columns\":3,\"rows\":2,\"shortcut\":{\"keyCode\":3}"),
      withId(",\"columns\":3,\"rows\":2,\"shortcut\":\"⌥⌘F\""),
      withId(",\"columns\":3,\"rows\":2,\"note\":\"\xFF\xFE\""),  // invalid UTF-8
  };
  ASSERT_TRUE(decodeGridLayouts(good));
  for (const std::string& document : refused) {
    EXPECT_EQ(decodeGridLayouts(document), std::nullopt) << document;
  }
}

TEST(GridLayoutDocumentTest, DeepNestingIsRefusedWithoutRecursionButBracketsInStringsDoNotCount) {
  for (const std::size_t depth : {1000u, 100000u}) {
    const std::string arrays = std::string(depth, '[') + std::string(depth, ']');
    std::string objects;
    for (std::size_t i = 0; i < depth; ++i) objects += "{\"a\":";
    objects += "1" + std::string(depth, '}');
    for (const std::string& document : {arrays, std::string(depth, '['), "[" + objects + "]",
                                        // deep under a key that is otherwise ignored
                                        withId(",\"columns\":3,\"rows\":2,\"note\":" + arrays)}) {
      EXPECT_EQ(decodeGridLayouts(document), std::nullopt) << depth;
    }
  }
  EXPECT_TRUE(decodeGridLayouts(withId(",\"columns\":3,\"rows\":2,\"note\":\"\\\"" +
                                       std::string(100000, '[') + "\",\"more\":\"\\\\\"")));
  EXPECT_TRUE(nestingWithin("[\"\\\"[[[[\"]", 1));     // an escaped quote keeps the string open
  EXPECT_FALSE(nestingWithin("[\"\\\\\"[[[]]]]", 2));  // an escaped backslash does not
  EXPECT_TRUE(nestingWithin("]]]][]", 1));             // stray closers never go below zero
  EXPECT_TRUE(nestingWithin("[[]]", 2));               // exactly the limit
}

}  // namespace
}  // namespace corvella
