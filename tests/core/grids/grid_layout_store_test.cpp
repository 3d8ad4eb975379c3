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
    return text ? decodeGridLayouts(*text) : std::nullopt;
  }

  sim::SimPlatform platform;
};

TEST_F(GridLayoutStoreTest, FirstLaunchGivesTheBuiltInFourAndWritesNothing) {
  GridLayoutStore store(platform.defaults);
  EXPECT_EQ(sizes(store.layouts()), builtInSizes);
  for (const GridLayout& layout : store.layouts()) EXPECT_EQ(layout.shortcut, std::nullopt);
  EXPECT_EQ(platform.defaults.writeCount(), 0u);
  EXPECT_EQ(platform.defaults.value("gridLayouts"), std::nullopt);
}

TEST_F(GridLayoutStoreTest, UnusableStoredValuesGiveTheDefaultsUntilTheFirstChange) {
  const std::vector<std::pair<std::string, sim::SimDefaultsValue>> cases = {
      {"a number", 3.0},
      {"a string holding a document", std::string("[]")},
      {"a layout without rows",
       textBytes("[{\"id\":\"00000000-0000-0000-0000-000000000000\",\"columns\":3}]")},
      {"a thousand levels deep", textBytes(std::string(1000, '[') + std::string(1000, ']'))},
      {"not JSON", Bytes{0xFF, 0x00, 0x7B}},
  };
  for (const auto& [name, value] : cases) {
    SCOPED_TRACE(name);
    sim::SimPlatform fresh;
    fresh.defaults.seed("gridLayouts", value);
    GridLayoutStore store(fresh.defaults);
    EXPECT_EQ(sizes(store.layouts()), builtInSizes);
    EXPECT_EQ(fresh.defaults.writeCount(), 0u);
    EXPECT_EQ(fresh.defaults.value("gridLayouts"), value);

    store.addLayout();  // overwrites the bad value
    const auto text = fresh.defaults.dataText("gridLayouts");
    ASSERT_TRUE(text);
    EXPECT_EQ(decodeGridLayouts(*text), store.layouts());
  }
}

TEST_F(GridLayoutStoreTest, StoredEmptyArrayStaysEmpty) {
  platform.defaults.seedData("gridLayouts", "[]");
  GridLayoutStore store(platform.defaults);
  EXPECT_TRUE(store.layouts().empty());
}

TEST_F(GridLayoutStoreTest, StoredDocumentLoadsAsStoredAndIsSavedBackUnchanged) {
  const std::string document =
      "[{\"id\":\"E621E1F8-C36C-495A-93FC-0C247A3E6E5F\",\"columns\":3,\"rows\":2,"
      "\"shortcut\":{\"keyCode\":18,\"modifiers\":786432}},"
      "{\"id\":\"00000000-0000-0000-0000-0000000000AB\",\"columns\":0,\"rows\":-4}]";
  platform.defaults.seedData("gridLayouts", document);
  GridLayoutStore store(platform.defaults);
  EXPECT_EQ(sizes(store.layouts()), (std::vector<Size>{{3, 2}, {0, -4}}));
  EXPECT_EQ(store.layouts()[0].shortcut, (Shortcut{.keyCode = 18, .modifiers = 0xC0000}));
  EXPECT_EQ(store.layouts()[1].shortcut, std::nullopt);
  store.setLayouts(store.layouts());
  EXPECT_EQ(platform.defaults.dataText("gridLayouts"), document);
}

TEST_F(GridLayoutStoreTest, HundredThousandStoredLayoutsLoad) {
  std::string document = "[";
  for (int i = 0; i < 100000; ++i) {
    char id[37];
    std::snprintf(id, sizeof id, "00000000-0000-0000-0000-%012d", i);
    document += std::string(i > 0 ? "," : "") + "{\"id\":\"" + id +
                "\",\"columns\":" + std::to_string(i % 12 + 1) + ",\"rows\":2}";
  }
  platform.defaults.seedData("gridLayouts", document + "]");
  GridLayoutStore store(platform.defaults);
  ASSERT_EQ(store.layouts().size(), 100000u);
  EXPECT_EQ(store.layouts()[99999].id.uuidString(), "00000000-0000-0000-0000-000000099999");
}

TEST_F(GridLayoutStoreTest, ChangeSequenceTellsObserversThenSavesThenCallsOnChange) {
  platform.defaults.seedData("gridLayouts", "[]");
  GridLayoutStore store(platform.defaults);
  std::vector<std::string> events;
  const auto state = [&] {
    return std::to_string(store.layouts().size()) + " layouts, " +
           std::to_string(platform.defaults.writeCount()) + " writes";
  };
  store.addWillChangeObserver([&] { events.push_back("will change: " + state()); });
  store.onChange = [&] { events.push_back("changed: " + state()); };
  store.addLayout();
  EXPECT_EQ(events, (std::vector<std::string>{"will change: 0 layouts, 0 writes",
                                              "changed: 1 layouts, 1 writes"}));
  EXPECT_EQ(storedLayouts(), store.layouts());
}

TEST_F(GridLayoutStoreTest, AddLayoutAppendsTwoByTwoWithAFreshId) {
  GridLayoutStore store(platform.defaults);
  const std::vector<UUID> before = ids(store.layouts());
  store.addLayout();
  ASSERT_EQ(store.layouts().size(), 5u);
  const GridLayout& added = store.layouts()[4];
  EXPECT_EQ(added.shortcut, std::nullopt);
  EXPECT_EQ(shortTitle(added, platform.localizer), "4-way Split");
  EXPECT_EQ(displayName(added, platform.localizer), "4-way Split (2\u00D72)");
  for (const UUID& old : before) EXPECT_NE(added.id, old);
  EXPECT_EQ(storedLayouts(), store.layouts());
}

TEST_F(GridLayoutStoreTest, RemoveLayoutRemovesEveryCopyAndKeepsTheOrder) {
  platform.defaults.seedData(
      "gridLayouts",
      "[{\"id\":\"00000000-0000-0000-0000-00000000000A\",\"columns\":1,\"rows\":1},"
      "{\"id\":\"00000000-0000-0000-0000-00000000000B\",\"columns\":2,\"rows\":2},"
      "{\"id\":\"00000000-0000-0000-0000-00000000000A\",\"columns\":3,\"rows\":3},"
      "{\"id\":\"00000000-0000-0000-0000-00000000000C\",\"columns\":4,\"rows\":4}]");
  GridLayoutStore store(platform.defaults);
  const UUID a = store.layouts()[0].id;
  EXPECT_EQ(store.layoutWithID(a)->columns, 1);  // the first of two
  store.removeLayout(a);
  EXPECT_EQ(sizes(store.layouts()), (std::vector<Size>{{2, 2}, {4, 4}}));
  EXPECT_EQ(store.layoutWithID(a), std::nullopt);
  EXPECT_EQ(storedLayouts(), store.layouts());
}

TEST_F(GridLayoutStoreTest, RemovingAnUnknownIdStillSavesAndCallsOnChange) {
  GridLayoutStore store(platform.defaults);
  const std::vector<GridLayout> before = store.layouts();
  int changes = 0;
  store.onChange = [&] { ++changes; };
  store.removeLayout(UUID::random());
  EXPECT_EQ(store.layouts(), before);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(storedLayouts(), before);
}

TEST_F(GridLayoutStoreTest, RestoreDefaultsGivesTheSameFourIdsEveryTime) {
  GridLayoutStore store(platform.defaults);
  const std::vector<UUID> startUp = ids(store.layouts());
  std::vector<GridLayout> edited = store.layouts();
  edited[0].shortcut = Shortcut{.keyCode = 18, .modifiers = 0xC0000};
  edited.pop_back();
  store.setLayouts(edited);
  for (int time = 0; time < 2; ++time) {
    store.restoreDefaults();
    EXPECT_EQ(ids(store.layouts()), startUp);
    EXPECT_EQ(sizes(store.layouts()), builtInSizes);
    EXPECT_EQ(store.layouts()[0].shortcut, std::nullopt);
  }
  sim::SimPlatform other;
  EXPECT_NE(ids(GridLayoutStore(other.defaults).layouts()), startUp);  // fresh per store
}

TEST_F(GridLayoutStoreTest, ObserversAndOnChangeMayChangeThemselvesWhileRunning) {
  GridLayoutStore store(platform.defaults);
  int first = 0;
  int calls = 0;
  GridLayoutStore::ObserverID firstID = 0;
  firstID = store.addWillChangeObserver([&] {
    ++first;
    store.removeObserver(firstID);
  });
  store.onChange = [&] {
    ++calls;
    store.onChange = [&] { calls += 10; };
  };
  store.addLayout();
  store.addLayout();
  EXPECT_EQ(first, 1);
  EXPECT_EQ(calls, 11);
}

}  // namespace
}  // namespace corvella
