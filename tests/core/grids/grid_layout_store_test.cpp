// The store: what loads from the defaults, the change sequence, the editing
// operations and the built-in list.
#include "core/grids/grid_layout_store.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/sim/sim_platform.h"
#include "uuid_printer.h"

namespace corvella {
namespace {

using Size = std::pair<std::int64_t, std::int64_t>;

std::vector<Size> sizes(const std::vector<GridLayout>& layouts) {
  std::vector<Size> result;
  for (const GridLayout& layout : layouts) result.emplace_back(layout.columns, layout.rows);
  return result;
}

std::vector<UUID> ids(const std::vector<GridLayout>& layouts) {
  std::vector<UUID> result;
  for (const GridLayout& layout : layouts) result.push_back(layout.id);
  return result;
}

Bytes textBytes(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

const std::vector<Size> builtInSizes = {{3, 2}, {4, 2}, {4, 3}, {6, 4}};

class GridLayoutStoreTest : public ::testing::Test {
 protected:
  // The stored document as a later load would read it.
  std::optional<std::vector<GridLayout>> storedLayouts() const {
    const auto text = platform.defaults.dataText("gridLayouts");
    if (!text) return std::nullopt;
    return decodeGridLayouts(*text);
  }

  sim::SimPlatform platform;
};

TEST_F(GridLayoutStoreTest, FirstLaunchGivesTheBuiltInFourAndWritesNothing) {
  GridLayoutStore store(platform.defaults);
  EXPECT_EQ(sizes(store.layouts()), builtInSizes);
  for (const GridLayout& layout : store.layouts()) EXPECT_EQ(layout.shortcut, std::nullopt);
  EXPECT_EQ(store.layouts(), store.defaultLayouts());
  EXPECT_EQ(platform.defaults.writeCount(), 0u);
  EXPECT_EQ(platform.defaults.value("gridLayouts"), std::nullopt);
}

TEST_F(GridLayoutStoreTest, UnusableStoredValuesGiveTheDefaultsAndStayUntilTheNextSave) {
  const std::vector<std::pair<std::string, sim::SimDefaultsValue>> cases = {
      {"a number", 3.0},
      {"a string holding a document", std::string("[]")},
      {"a layout without rows",
       textBytes("[{\"id\":\"00000000-0000-0000-0000-000000000000\",\"columns\":3}]")},
      {"a document nested a thousand deep",
       textBytes(std::string(1000, '[') + std::string(1000, ']'))},
      {"not JSON", Bytes{0xFF, 0x00, 0x7B}},
      {"empty data", Bytes{}},
  };
  for (const auto& [name, value] : cases) {
    SCOPED_TRACE(name);
    sim::SimPlatform fresh;
    fresh.defaults.seed("gridLayouts", value);
    GridLayoutStore store(fresh.defaults);
    EXPECT_EQ(sizes(store.layouts()), builtInSizes);
    EXPECT_EQ(fresh.defaults.writeCount(), 0u);
    EXPECT_EQ(fresh.defaults.value("gridLayouts"), value);

    store.addLayout();
    const auto text = fresh.defaults.dataText("gridLayouts");
    ASSERT_TRUE(text);
    const auto stored = decodeGridLayouts(*text);
    ASSERT_TRUE(stored);
    EXPECT_EQ(*stored, store.layouts());
    EXPECT_EQ(stored->size(), 5u);
  }
}

TEST_F(GridLayoutStoreTest, StoredEmptyArrayStaysEmpty) {
  platform.defaults.seedData("gridLayouts", "[]");
  GridLayoutStore store(platform.defaults);
  EXPECT_TRUE(store.layouts().empty());
  EXPECT_EQ(platform.defaults.writeCount(), 0u);
}

TEST_F(GridLayoutStoreTest, StoredDocumentLoadsExactlyAndEncodesBackTheSame) {
  const std::string document =
      "[{\"id\":\"E621E1F8-C36C-495A-93FC-0C247A3E6E5F\",\"columns\":3,\"rows\":2,"
      "\"shortcut\":{\"keyCode\":18,\"modifiers\":786432}},"
      "{\"id\":\"00000000-0000-0000-0000-0000000000AB\",\"columns\":0,\"rows\":-4},"
      "{\"id\":\"00000000-0000-0000-0000-0000000000CD\",\"columns\":9223372036854775807,"
      "\"rows\":40}]";
  platform.defaults.seedData("gridLayouts", document);
  GridLayoutStore store(platform.defaults);
  EXPECT_EQ(sizes(store.layouts()),
            (std::vector<Size>{{3, 2}, {0, -4}, {9223372036854775807, 40}}));
  EXPECT_EQ(store.layouts()[0].shortcut, (Shortcut{.keyCode = 18, .modifiers = 0xC0000}));
  EXPECT_EQ(store.layouts()[1].shortcut, std::nullopt);

  store.setLayouts(store.layouts());
  EXPECT_EQ(platform.defaults.dataText("gridLayouts"), document);
}

TEST_F(GridLayoutStoreTest, HundredThousandStoredLayoutsLoad) {
  std::string document = "[";
  for (int i = 0; i < 100000; ++i) {
    if (i > 0) document += ',';
    document += "{\"id\":\"" + UUID::random().uuidString() +
                "\",\"columns\":" + std::to_string(i % 12 + 1) + ",\"rows\":2}";
  }
  document += "]";
  platform.defaults.seedData("gridLayouts", document);
  GridLayoutStore store(platform.defaults);
  ASSERT_EQ(store.layouts().size(), 100000u);
  EXPECT_EQ(store.layouts()[99999].columns, 99999 % 12 + 1);
}

TEST_F(GridLayoutStoreTest, ChangeSequenceTellsObserversThenSavesThenCallsOnChange) {
  platform.defaults.seedData("gridLayouts", "[]");
  GridLayoutStore store(platform.defaults);
  std::vector<std::string> events;
  store.addWillChangeObserver([&] {
    events.push_back("will change: " + std::to_string(store.layouts().size()) + " layouts, " +
                     std::to_string(platform.defaults.writeCount()) + " writes");
  });
  store.onChange = [&] {
    events.push_back("changed: " + std::to_string(store.layouts().size()) + " layouts, " +
                     std::to_string(platform.defaults.writeCount()) + " writes");
  };

  store.addLayout();
  EXPECT_EQ(events, (std::vector<std::string>{"will change: 0 layouts, 0 writes",
                                              "changed: 1 layouts, 1 writes"}));
  EXPECT_EQ(storedLayouts(), store.layouts());
}

TEST_F(GridLayoutStoreTest, AddLayoutAppendsTwoByTwoWithAFreshId) {
  GridLayoutStore store(platform.defaults);
  const std::vector<UUID> before = ids(store.layouts());
  store.addLayout();
  store.addLayout();
  ASSERT_EQ(store.layouts().size(), 6u);
  const GridLayout& added = store.layouts()[4];
  EXPECT_EQ(added.columns, 2);
  EXPECT_EQ(added.rows, 2);
  EXPECT_EQ(added.shortcut, std::nullopt);
  EXPECT_EQ(shortTitle(added, platform.localizer), "4-way Split");
  EXPECT_EQ(displayName(added, platform.localizer), "4-way Split (2\u00D72)");
  EXPECT_NE(added.id, store.layouts()[5].id);
  for (const UUID& id : before) EXPECT_NE(added.id, id);
  const std::vector<UUID> after = ids(store.layouts());
  EXPECT_EQ(std::vector<UUID>(after.begin(), after.begin() + 4), before);
  EXPECT_EQ(storedLayouts(), store.layouts());
}

TEST_F(GridLayoutStoreTest, RemoveLayoutRemovesEveryCopyAndKeepsTheOrder) {
  const UUID a = *UUID::parse("00000000-0000-0000-0000-00000000000A");
  const UUID b = *UUID::parse("00000000-0000-0000-0000-00000000000B");
  platform.defaults.seedData(
      "gridLayouts",
      "[{\"id\":\"00000000-0000-0000-0000-00000000000A\",\"columns\":1,\"rows\":1},"
      "{\"id\":\"00000000-0000-0000-0000-00000000000B\",\"columns\":2,\"rows\":2},"
      "{\"id\":\"00000000-0000-0000-0000-00000000000A\",\"columns\":3,\"rows\":3},"
      "{\"id\":\"00000000-0000-0000-0000-00000000000C\",\"columns\":4,\"rows\":4}]");
  GridLayoutStore store(platform.defaults);
  EXPECT_EQ(store.layoutWithID(a)->columns, 1);  // the first of two
  EXPECT_EQ(store.layoutWithID(b)->columns, 2);

  store.removeLayout(a);
  EXPECT_EQ(sizes(store.layouts()), (std::vector<Size>{{2, 2}, {4, 4}}));
  EXPECT_EQ(store.layoutWithID(a), std::nullopt);
  EXPECT_EQ(storedLayouts(), store.layouts());
}

TEST_F(GridLayoutStoreTest, RemovingAnUnknownIdStillSavesAndCallsOnChange) {
  GridLayoutStore store(platform.defaults);
  const std::vector<GridLayout> before = store.layouts();
  int changes = 0;
  int willChanges = 0;
  store.onChange = [&] { ++changes; };
  store.addWillChangeObserver([&] { ++willChanges; });

  store.removeLayout(UUID::random());
  EXPECT_EQ(store.layouts(), before);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(willChanges, 1);
  EXPECT_EQ(platform.defaults.writeCount(), 1u);
  EXPECT_EQ(storedLayouts(), before);
}

TEST_F(GridLayoutStoreTest, RestoreDefaultsGivesTheSameFourIdsEveryTime) {
  GridLayoutStore store(platform.defaults);
  const std::vector<UUID> startUp = ids(store.layouts());

  std::vector<GridLayout> edited = store.layouts();
  edited[0].shortcut = Shortcut{.keyCode = 18, .modifiers = 0xC0000};
  edited.pop_back();
  store.setLayouts(edited);
  store.restoreDefaults();
  EXPECT_EQ(ids(store.layouts()), startUp);
  EXPECT_EQ(sizes(store.layouts()), builtInSizes);
  EXPECT_EQ(store.layouts()[0].shortcut, std::nullopt);

  store.removeLayout(startUp[1]);
  store.restoreDefaults();
  EXPECT_EQ(ids(store.layouts()), startUp);
  EXPECT_EQ(storedLayouts(), store.layouts());
}

TEST_F(GridLayoutStoreTest, DefaultsAreMadeOncePerStoreEvenWhenSomethingWasStored) {
  platform.defaults.seedData("gridLayouts", "[]");
  GridLayoutStore store(platform.defaults);
  store.restoreDefaults();
  const std::vector<UUID> first = ids(store.layouts());
  store.restoreDefaults();
  EXPECT_EQ(ids(store.layouts()), first);
  EXPECT_EQ(ids(store.defaultLayouts()), first);

  sim::SimPlatform other;
  GridLayoutStore otherStore(other.defaults);
  EXPECT_NE(ids(otherStore.layouts()), first);  // fresh random ids per store
}

TEST_F(GridLayoutStoreTest, ObserversCanBeRemovedEvenWhileBeingNotified) {
  GridLayoutStore store(platform.defaults);
  int first = 0;
  int second = 0;
  GridLayoutStore::ObserverID firstID = 0;
  firstID = store.addWillChangeObserver([&] {
    ++first;
    store.removeObserver(firstID);
  });
  const GridLayoutStore::ObserverID secondID = store.addWillChangeObserver([&] { ++second; });
  store.addLayout();
  store.addLayout();
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 2);

  store.removeObserver(secondID);
  store.addLayout();
  EXPECT_EQ(second, 2);
}

TEST_F(GridLayoutStoreTest, OnChangeMayReplaceItselfWhileRunning) {
  GridLayoutStore store(platform.defaults);
  int calls = 0;
  store.onChange = [&] {
    ++calls;
    store.onChange = [&] { calls += 10; };
  };
  store.addLayout();
  store.addLayout();
  EXPECT_EQ(calls, 11);
}

}  // namespace
}  // namespace corvella
