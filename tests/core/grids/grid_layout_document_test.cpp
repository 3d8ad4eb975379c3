// The stored document: a JSON array of layouts, written in a fixed key order
// and read strictly, whatever a hand edit or a damaged file holds.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "core/grids/grid_layout.h"
#include "core/grids/json_nesting.h"
#include "uuid_printer.h"

namespace corvella {
namespace {

constexpr const char* idText = "E621E1F8-C36C-495A-93FC-0C247A3E6E5F";
const UUID id = *UUID::parse(idText);

// Distinct ids without the cost of the random source.
UUID serialID(std::uint32_t serial) {
  UUID uuid;
  for (std::size_t i = 0; i < 4; ++i)
    uuid.bytes[12 + i] = static_cast<std::uint8_t>(serial >> (24 - 8 * i));
  return uuid;
}

std::string layoutObject(const std::string& members) {
  return "{" + members + "}";
}

std::string withId(const std::string& rest) {
  return "[{\"id\":\"" + std::string(idText) + "\"" + rest + "}]";
}

TEST(GridLayoutDocumentTest, EncodesKeysInTheirOrderAndOmitsAnAbsentShortcut) {
  const GridLayout withShortcut{
      .id = id, .columns = 3, .rows = 2, .shortcut = Shortcut{.keyCode = 18, .modifiers = 0xC0000}};
  const GridLayout without{.id = id, .columns = 12, .rows = 1, .shortcut = {}};
  EXPECT_EQ(encodeGridLayouts({withShortcut, without}),
            "[{\"id\":\"E621E1F8-C36C-495A-93FC-0C247A3E6E5F\",\"columns\":3,\"rows\":2,"
            "\"shortcut\":{\"keyCode\":18,\"modifiers\":786432}},"
            "{\"id\":\"E621E1F8-C36C-495A-93FC-0C247A3E6E5F\",\"columns\":12,\"rows\":1}]");
  EXPECT_EQ(encodeGridLayouts({}), "[]");
}

TEST(GridLayoutDocumentTest, DecodesKeysInAnyOrder) {
  const auto layouts = decodeGridLayouts(
      "[ {\"shortcut\": {\"modifiers\": 1572864, \"keyCode\": 123}, \"rows\": 2,"
      "   \"id\": \"e621e1f8-c36c-495a-93fc-0c247a3e6e5f\", \"columns\": 3},"
      "  {\"rows\": 4, \"columns\": 6, \"id\": \"00000000-0000-0000-0000-000000000001\"} ]");
  ASSERT_TRUE(layouts);
  ASSERT_EQ(layouts->size(), 2u);
  EXPECT_EQ((*layouts)[0],
            (GridLayout{.id = id,
                        .columns = 3,
                        .rows = 2,
                        .shortcut = Shortcut{.keyCode = 123, .modifiers = 0x180000}}));
  EXPECT_EQ((*layouts)[1].columns, 6);
  EXPECT_EQ((*layouts)[1].rows, 4);
  EXPECT_EQ((*layouts)[1].id.uuidString(), "00000000-0000-0000-0000-000000000001");
  EXPECT_EQ((*layouts)[1].shortcut, std::nullopt);
}

TEST(GridLayoutDocumentTest, AbsentOrNullShortcutStaysAbsentWhenEncodedAgain) {
  for (const std::string& document : {withId(",\"columns\":3,\"rows\":2"),
                                      withId(",\"columns\":3,\"rows\":2,\"shortcut\":null")}) {
    const auto layouts = decodeGridLayouts(document);
    ASSERT_TRUE(layouts) << document;
    EXPECT_EQ(layouts->at(0).shortcut, std::nullopt);
    EXPECT_EQ(encodeGridLayouts(*layouts), withId(",\"columns\":3,\"rows\":2"));
  }
}

TEST(GridLayoutDocumentTest, ShortcutModifiersOutsideTheFourAreDropped) {
  const auto layouts =
      decodeGridLayouts(withId(",\"columns\":3,\"rows\":2,\"shortcut\":{\"keyCode\":3,"
                               "\"modifiers\":1638400}"));
  ASSERT_TRUE(layouts);
  EXPECT_EQ(layouts->at(0).shortcut, (Shortcut{.keyCode = 3, .modifiers = 0x180000}));
}

TEST(GridLayoutDocumentTest, HandEditedCountsLoadAsStored) {
  const struct {
    std::string text;
    std::int64_t value;
  } cases[] = {
      {"0", 0},
      {"-3", -3},
      {"40", 40},
      {"9223372036854775807", std::numeric_limits<std::int64_t>::max()},
      {"-9223372036854775808", std::numeric_limits<std::int64_t>::min()},
  };
  for (const auto& c : cases) {
    const auto layouts =
        decodeGridLayouts(withId(",\"columns\":" + c.text + ",\"rows\":" + c.text));
    ASSERT_TRUE(layouts) << c.text;
    EXPECT_EQ(layouts->at(0).columns, c.value);
    EXPECT_EQ(layouts->at(0).rows, c.value);
    EXPECT_EQ(encodeGridLayouts(*layouts),
              withId(",\"columns\":" + c.text + ",\"rows\":" + c.text));
  }
}

TEST(GridLayoutDocumentTest, UnknownKeysAreIgnored) {
  const auto layouts =
      decodeGridLayouts(withId(",\"columns\":3,\"rows\":2,\"note\":{\"list\":[1,[2]]}"));
  ASSERT_TRUE(layouts);
  EXPECT_EQ(layouts->at(0).columns, 3);
}

TEST(GridLayoutDocumentTest, AnyFaultAnywhereFailsTheWholeDocument) {
  const std::string good =
      layoutObject(std::string("\"id\":\"") + idText + "\",\"columns\":1,\"rows\":1");
  const std::string refused[] = {
      "",
      "null",
      "{}",
      "\"[]\"",
      "3",
      "[] x",
      "[],[]",
      "[",
      "[" + good + "," + layoutObject("\"columns\":3,\"rows\":2") + "]",  // no id, second of two
      withId(",\"columns\":3"),                                           // no rows
      withId(",\"rows\":2"),                                              // no columns
      "[{\"id\":7,\"columns\":3,\"rows\":2}]",
      "[{\"id\":\"not-a-uuid\",\"columns\":3,\"rows\":2}]",
      "[{\"id\":null,\"columns\":3,\"rows\":2}]",
      withId(",\"columns\":3.0,\"rows\":2"),
      withId(",\"columns\":3.5,\"rows\":2"),
      withId(",\"columns\":\"3\",\"rows\":2"),
      withId(",\"columns\":true,\"rows\":2"),
      withId(",\"columns\":null,\"rows\":2"),
      withId(",\"columns\":[3],\"rows\":2"),
      withId(",\"columns\":9223372036854775808,\"rows\":2"),
      withId(",\"columns\":18446744073709551616,\"rows\":2"),
      withId(",\"columns\":-9223372036854775809,\"rows\":2"),
      withId(",\"columns\":1e400,\"rows\":2"),
      withId(",\"columns\":3,\"rows\":2,\"shortcut\":{\"keyCode\":3}"),
      withId(",\"columns\":3,\"rows\":2,\"shortcut\":{\"modifiers\":0}"),
      withId(",\"columns\":3,\"rows\":2,\"shortcut\":\"⌥⌘F\""),
      withId(",\"columns\":3,\"rows\":2,\"shortcut\":{\"keyCode\":-1,\"modifiers\":0}"),
      withId(",\"columns\":3,\"rows\":2,\"shortcut\":{\"keyCode\":4294967296,\"modifiers\":0}"),
      "[" + good + ",3]",
      "[" + good + ",[]]",
      "[" + good + ",]",
      withId(",\"columns\":3,\"rows\":2,\"note\":\"\xFF\xFE\""),  // invalid UTF-8
      withId(",\"columns\":3,\"rows\":2,\"note\":\"\xC3\""),
  };
  ASSERT_TRUE(decodeGridLayouts("[" + good + "]"));
  for (const std::string& document : refused) {
    EXPECT_EQ(decodeGridLayouts(document), std::nullopt) << document;
  }
}

TEST(GridLayoutDocumentTest, DeepNestingIsRefusedWithoutRecursion) {
  for (const std::size_t depth : {100u, 1000u, 100000u}) {
    const std::string arrays = std::string(depth, '[') + std::string(depth, ']');
    EXPECT_EQ(decodeGridLayouts(arrays), std::nullopt) << depth;
    EXPECT_EQ(decodeGridLayouts(std::string(depth, '[')), std::nullopt) << depth;
    std::string objects;
    for (std::size_t i = 0; i < depth; ++i) objects += "{\"a\":";
    objects += "1" + std::string(depth, '}');
    EXPECT_EQ(decodeGridLayouts("[" + objects + "]"), std::nullopt) << depth;
    // Deep inside a layout's unknown key: still refused, not parsed.
    EXPECT_EQ(decodeGridLayouts(withId(",\"columns\":3,\"rows\":2,\"note\":" + arrays)),
              std::nullopt)
        << depth;
  }
}

TEST(GridLayoutDocumentTest, BracketsInsideStringsDoNotCountAsNesting) {
  const std::string deepText(100000, '[');
  const auto layouts = decodeGridLayouts(
      withId(",\"columns\":3,\"rows\":2,\"note\":\"\\\"" + deepText + "\",\"more\":\"\\\\\""));
  ASSERT_TRUE(layouts);
  EXPECT_EQ(layouts->at(0).columns, 3);
}

TEST(GridLayoutDocumentTest, NestingGuardCountsOpenArraysAndObjects) {
  EXPECT_TRUE(nestingWithin("[]", 1));
  EXPECT_FALSE(nestingWithin("[[]]", 1));
  EXPECT_TRUE(nestingWithin("[{\"a\":{}},{\"b\":[]}]", 3));
  EXPECT_FALSE(nestingWithin("[{\"a\":{\"b\":[]}}]", 3));
  EXPECT_TRUE(nestingWithin("[\"[[[[\"]", 1));
  EXPECT_TRUE(nestingWithin("[\"\\\"[[[[\"]", 1));     // an escaped quote keeps the string open
  EXPECT_FALSE(nestingWithin("[\"\\\\\"[[[]]]]", 2));  // an escaped backslash does not
  EXPECT_TRUE(nestingWithin("]]]][]", 1));             // stray closers never go below zero
}

TEST(GridLayoutDocumentTest, TenThousandLayoutsRoundTrip) {
  std::vector<GridLayout> layouts;
  layouts.reserve(10000);
  for (std::int64_t i = 0; i < 10000; ++i) {
    GridLayout layout{.id = serialID(static_cast<std::uint32_t>(i)),
                      .columns = i % 12 + 1,
                      .rows = i % 7 + 1,
                      .shortcut = {}};
    if (i % 3 == 0)
      layout.shortcut =
          Shortcut{.keyCode = static_cast<std::uint32_t>(i % 128), .modifiers = 0x100000};
    layouts.push_back(layout);
  }
  const auto document = encodeGridLayouts(layouts);
  ASSERT_TRUE(document);
  const auto decoded = decodeGridLayouts(*document);
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->size(), 10000u);
  EXPECT_TRUE(*decoded == layouts);
}

}  // namespace
}  // namespace corvella
