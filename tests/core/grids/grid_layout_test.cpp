#include "core/grids/grid_layout.h"

#include <gtest/gtest.h>

#include <limits>

#include "core/grids/count_format.h"
#include "core/grids/grid_layout_store.h"
#include "core/grids/json_nesting.h"
#include "platform/sim/sim_platform.h"

namespace corvella {
namespace {

constexpr std::int64_t int64Max = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t int64Min = std::numeric_limits<std::int64_t>::min();

const auto grid = [](std::int64_t c, std::int64_t r) { return GridLayout{{}, c, r, {}}; };

const std::string idText = "E621E1F8-C36C-495A-93FC-0C247A3E6E5F";
const UUID id = *UUID::parse(idText);
// One layout with that id and the given members after it.
const auto withId = [](std::string rest) { return "[{\"id\":\"" + idText + "\"" + rest + "}]"; };

TEST(GridLayoutTest, UUIDsTitlesCountsAndTheDocumentWhichAnyFaultOrDeepNestingFails) {
  constexpr UUID sample{{0xE6, 0x21, 0xE1, 0xF8, 0xC3, 0x6C, 0x49, 0x5A, 0x93, 0xFC, 0x0C, 0x24,
                         0x7A, 0x3E, 0x6E, 0x5F}};
  EXPECT_EQ(sample.uuidString(), "E621E1F8-C36C-495A-93FC-0C247A3E6E5F");
  EXPECT_EQ(UUID::parse("e621E1f8-c36c-495a-93fC-0c247a3e6e5f"), sample);
  for (const char* refused :
       {"", "E621E1F8-C36C-495A-93FC-0C247A3E6E5", "E621E1F8C36C495A93FC0C247A3E6E5F",
        "E621E1F8-C36C-495A-93FC_0C247A3E6E5F", "E621E1F8-C36C-495A-93FC-0C247A3E6E5G"}) {
    EXPECT_EQ(UUID::parse(refused), std::nullopt) << refused;
  }
  // A random one is version 4 with the standard variant.
  const UUID random = UUID::random();
  EXPECT_NE(random, UUID::random());
  EXPECT_EQ(random.bytes[6] >> 4, 4);
  EXPECT_EQ(random.bytes[8] & 0xC0, 0x80);
  sim::SimPlatform platform;
  const std::pair<GridLayout, std::string> cases[] = {
      {grid(-3, 4), "-12-way Split (-3×4)"},
      {grid(4294967296, 4294967296), "9223372036854775807-way Split (4294967296×4294967296)"}};
  for (const auto& [layout, name] : cases) EXPECT_EQ(displayName(layout, platform.localizer), name);
  EXPECT_EQ(cellCount(grid(int64Max, -2)), int64Min);
  EXPECT_EQ(cellCount(grid(int64Min, -1)), int64Max);  // -(-2^63) does not fit
  EXPECT_EQ(cellCount(grid(int64Min, 0)), 0);
  // Only the count specifier is filled, whatever else a translation holds.
  platform.localizer.setTranslation("%lld-way Split", "%lld분할");
  EXPECT_EQ(displayName(grid(3, 2), platform.localizer), "6분할 (3×2)");
  EXPECT_EQ(formatCount("%1$lld of %lld", -7), "-7 of -7");
  EXPECT_EQ(formatCount("100%% %lld", int64Min), "100% -9223372036854775808");
  EXPECT_EQ(formatCount("stray % and %d and %ll%", 5), "stray % and %d and %ll%");
  std::vector<GridLayout> layouts{grid(3, 2), grid(12, 1)};
  layouts[0].id = id;
  layouts[0].shortcut = Shortcut{.keyCode = 18, .modifiers = 0xC0000};
  EXPECT_EQ(encodeGridLayouts(layouts),
            "[{\"id\":\"E621E1F8-C36C-495A-93FC-0C247A3E6E5F\",\"columns\":3,\"rows\":2,"
            "\"shortcut\":{\"keyCode\":18,\"modifiers\":786432}},"
            "{\"id\":\"00000000-0000-0000-0000-000000000000\",\"columns\":12,\"rows\":1}]");
  // Unknown keys are ignored; an absent or null shortcut is none.
  EXPECT_EQ(
      decodeGridLayouts(
          R"([{"shortcut":{"modifiers":786432,"keyCode":18},"rows":2,"note":{"a":[1]},)"
          R"("id":"e621e1f8-c36c-495a-93fc-0c247a3e6e5f","columns":3},{"rows":1,"columns":12,)"
          R"("shortcut":null,"id":"00000000-0000-0000-0000-000000000000"}])"),
      layouts);
  const std::string good = withId(",\"columns\":1,\"rows\":1");
  const std::string goodLayout = good.substr(1, good.size() - 2);
  // The second lacks an id; then no rows; a string that is no UUID; counts
  // that are no int64; a shortcut without modifiers; bytes that are no UTF-8.
  const std::string refused[] = {"",
                                 "{}",
                                 "[" + goodLayout + ",3]",
                                 "[" + goodLayout + ",{\"columns\":3,\"rows\":2}]",
                                 withId(",\"columns\":3"),
                                 "[{\"id\":\"not-a-uuid\",\"columns\":3,\"rows\":2}]",
                                 withId(",\"columns\":3.0,\"rows\":2"),
                                 withId(",\"columns\":9223372036854775808,\"rows\":2"),
                                 withId(",\"columns\":3,\"rows\":2,\"shortcut\":{\"keyCode\":3}"),
                                 withId(",\"columns\":3,\"rows\":2,\"note\":\"\xFF\xFE\"")};
  ASSERT_TRUE(decodeGridLayouts(good));
  for (const std::string& document : refused) {
    EXPECT_EQ(decodeGridLayouts(document), std::nullopt) << document;
  }
  const std::string arrays = std::string(100000, '[') + std::string(100000, ']');
  std::string objects = "[";
  for (int i = 0; i < 1000; ++i) objects += "{\"a\":";
  // Deep objects; arrays left open; deep under a key that is otherwise ignored.
  for (const std::string& document :
       {objects + "1" + std::string(1000, '}') + "]", std::string(1000, '['),
        withId(",\"columns\":3,\"rows\":2,\"note\":" + arrays)}) {
    EXPECT_EQ(decodeGridLayouts(document), std::nullopt) << document.substr(0, 40);
  }
  EXPECT_TRUE(decodeGridLayouts(withId(",\"columns\":3,\"rows\":2,\"note\":\"\\\"" +
                                       std::string(100000, '[') + "\",\"more\":\"\\\\\"")));
  EXPECT_TRUE(nestingWithin("[\"\\\"[[[[\"]", 1));     // an escaped quote keeps the string open
  EXPECT_FALSE(nestingWithin("[\"\\\\\"[[[]]]]", 2));  // an escaped backslash does not
  EXPECT_TRUE(nestingWithin("]]]][]", 1));             // stray closers never go below zero
  EXPECT_TRUE(nestingWithin("[[]]", 2));               // exactly the limit
}

using Sizes = std::vector<std::pair<std::int64_t, std::int64_t>>;
const Sizes builtInSizes = {{3, 2}, {4, 2}, {4, 3}, {6, 4}};

Sizes sizes(const std::vector<GridLayout>& layouts) {
  Sizes result;
  for (const GridLayout& layout : layouts) result.emplace_back(layout.columns, layout.rows);
  return result;
}

class GridLayoutStoreTest : public ::testing::Test {
 protected:
  std::optional<std::vector<GridLayout>> storedLayouts() const {
    const auto text = platform.defaults.dataText("gridLayouts");
    return text ? decodeGridLayouts(*text) : std::nullopt;
  }

  sim::SimPlatform platform;
};

TEST_F(GridLayoutStoreTest, NothingUsableGivesTheBuiltInFourAndDocumentsLoadAndSaveAsStored) {
  // Nothing, a number, a string holding a document, bytes that are no document.
  const std::optional<sim::SimDefaultsValue> stored[] = {std::nullopt, 3.0, std::string("[]"),
                                                         Bytes{0xFF, 0x00, 0x7B}};
  for (const auto& value : stored) {
    sim::SimPlatform fresh;
    if (value) fresh.defaults.seed("gridLayouts", *value);
    GridLayoutStore store(fresh.defaults);
    EXPECT_EQ(sizes(store.layouts()), builtInSizes);
    EXPECT_FALSE(store.layouts()[0].shortcut);
    EXPECT_EQ(fresh.defaults.value("gridLayouts"), value) << "kept until the first change";
    store.addLayout();
    EXPECT_EQ(decodeGridLayouts(fresh.defaults.dataText("gridLayouts").value_or("")),
              store.layouts());
  }
  platform.defaults.seedData("gridLayouts", "[]");
  EXPECT_TRUE(GridLayoutStore(platform.defaults).layouts().empty());

  // Hand-edited counts and upper-case ids come back byte for byte.
  const std::string document =
      "[{\"id\":\"E621E1F8-C36C-495A-93FC-0C247A3E6E5F\",\"columns\":3,\"rows\":2,"
      "\"shortcut\":{\"keyCode\":18,\"modifiers\":786432}},"
      "{\"id\":\"00000000-0000-0000-0000-000000099999\",\"columns\":40,\"rows\":-4}]";
  platform.defaults.seedData("gridLayouts", document);
  GridLayoutStore store(platform.defaults);
  EXPECT_EQ(sizes(store.layouts()), (Sizes{{3, 2}, {40, -4}}));
  EXPECT_EQ(store.layouts()[0].shortcut, (Shortcut{.keyCode = 18, .modifiers = 0xC0000}));
  store.setLayouts(store.layouts());
  EXPECT_EQ(platform.defaults.dataText("gridLayouts"), document);
}

TEST_F(GridLayoutStoreTest, EachChangeTellsObserversThenSavesThenCallsOnChangeAndRemovesEveryCopy) {
  GridLayoutStore store(platform.defaults);
  const std::vector<GridLayout> before = store.layouts();
  std::vector<std::string> events;
  const auto state = [&] {
    return std::to_string(store.layouts().size()) + " layouts, " +
           std::to_string(platform.defaults.writeCount()) + " writes";
  };
  store.addWillChangeObserver([&] { events.push_back("will change: " + state()); });
  store.onChange = [&] { events.push_back("changed: " + state()); };

  store.addLayout();

  EXPECT_EQ(events, (std::vector<std::string>{"will change: 4 layouts, 0 writes",
                                              "changed: 5 layouts, 1 writes"}));
  EXPECT_EQ(storedLayouts(), store.layouts());
  const GridLayout& added = store.layouts().back();
  EXPECT_TRUE(added.columns == 2 && added.rows == 2 && !added.shortcut);
  for (const GridLayout& old : before) EXPECT_NE(added.id, old.id);
  platform.defaults.seedData(
      "gridLayouts",
      "[{\"id\":\"00000000-0000-0000-0000-00000000000A\",\"columns\":1,\"rows\":1},"
      "{\"id\":\"00000000-0000-0000-0000-00000000000B\",\"columns\":2,\"rows\":2},"
      "{\"id\":\"00000000-0000-0000-0000-00000000000A\",\"columns\":3,\"rows\":3}]");
  GridLayoutStore copies(platform.defaults);
  const UUID a = copies.layouts()[0].id;
  EXPECT_EQ(copies.layoutWithID(a)->columns, 1);  // the first of two
  copies.removeLayout(a);
  EXPECT_EQ(sizes(copies.layouts()), (Sizes{{2, 2}}));
  EXPECT_EQ(copies.layoutWithID(a), std::nullopt);

  platform.defaults.seedData("gridLayouts", "[]");
  copies.removeLayout(UUID::random());
  EXPECT_EQ(storedLayouts(), copies.layouts());
  EXPECT_EQ(platform.defaults.writeCount(), 3u);
}

TEST_F(GridLayoutStoreTest, RestoreDefaultsGivesTheSameFourIdsAndObserversMayChangeThemselves) {
  GridLayoutStore store(platform.defaults);
  const std::vector<GridLayout> startUp = store.layouts();
  store.setLayouts({grid(1, 1)});
  for (int time = 0; time < 2; ++time) {
    store.restoreDefaults();
    EXPECT_EQ(store.layouts(), startUp);
  }
  // A view that stops observing, or a callback that replaces itself, while the
  // change sequence runs must not disturb that run or skip the next one.
  int observed = 0, changes = 0;
  GridLayoutStore::ObserverID observer = 0;
  observer = store.addWillChangeObserver([&] {
    ++observed;
    store.removeObserver(observer);
  });
  store.onChange = [&] {
    ++changes;
    store.onChange = [&] { changes += 10; };
  };
  store.addLayout();
  store.addLayout();
  EXPECT_EQ(observed, 1);
  EXPECT_EQ(changes, 11);
  EXPECT_EQ(store.layouts().size(), 6u);
}

}  // namespace
}  // namespace corvella
