// The store: what loads from the defaults, the change sequence, the editing
// operations and the built-in list.
#include "core/grids/grid_layout_store.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/sim/sim_platform.h"
#include "uuid_printer.h"

namespace corvella {
namespace {

using Sizes = std::vector<std::pair<std::int64_t, std::int64_t>>;
const Sizes builtInSizes = {{3, 2}, {4, 2}, {4, 3}, {6, 4}};

Sizes sizes(const std::vector<GridLayout>& layouts) {
  Sizes result;
  for (const GridLayout& layout : layouts) result.emplace_back(layout.columns, layout.rows);
  return result;
}

Bytes textBytes(const std::string& text) {
  return Bytes(text.begin(), text.end());
}

class GridLayoutStoreTest : public ::testing::Test {
 protected:
  // The stored document as a later load would read it.
  std::optional<std::vector<GridLayout>> storedLayouts() const {
    const auto text = platform.defaults.dataText("gridLayouts");
    return text ? decodeGridLayouts(*text) : std::nullopt;
  }

  sim::SimPlatform platform;
};

TEST_F(GridLayoutStoreTest, NothingUsableStoredGivesTheBuiltInFourUntilTheFirstChange) {
  const std::optional<sim::SimDefaultsValue> stored[] = {
      std::nullopt,
      3.0,
      std::string("[]"),  // a string holding a document
      textBytes("[{\"id\":\"00000000-0000-0000-0000-000000000000\",\"columns\":3}]"),
      textBytes(std::string(1000, '[') + std::string(1000, ']')),
      Bytes{0xFF, 0x00, 0x7B}};
  for (const auto& value : stored) {
    sim::SimPlatform fresh;
    if (value) fresh.defaults.seed("gridLayouts", *value);
    GridLayoutStore store(fresh.defaults);
    EXPECT_EQ(sizes(store.layouts()), builtInSizes);
    for (const GridLayout& layout : store.layouts()) EXPECT_EQ(layout.shortcut, std::nullopt);
    EXPECT_EQ(fresh.defaults.value("gridLayouts"), value) << "kept until the first change";
    store.addLayout();
    EXPECT_EQ(decodeGridLayouts(fresh.defaults.dataText("gridLayouts").value_or("")),
              store.layouts());
  }
}

TEST_F(GridLayoutStoreTest, StoredDocumentsLoadAsStoredEvenEmptyAndAreSavedBackUnchanged) {
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

TEST_F(GridLayoutStoreTest, EachChangeTellsObserversThenSavesThenCallsOnChange) {
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
  EXPECT_EQ(sizes({added}), (Sizes{{2, 2}}));
  EXPECT_EQ(added.shortcut, std::nullopt);
  for (const GridLayout& old : before) EXPECT_NE(added.id, old.id);
}

TEST_F(GridLayoutStoreTest, RemoveLayoutRemovesEveryCopyAndAnUnknownIdStillSaves) {
  platform.defaults.seedData(
      "gridLayouts",
      "[{\"id\":\"00000000-0000-0000-0000-00000000000A\",\"columns\":1,\"rows\":1},"
      "{\"id\":\"00000000-0000-0000-0000-00000000000B\",\"columns\":2,\"rows\":2},"
      "{\"id\":\"00000000-0000-0000-0000-00000000000A\",\"columns\":3,\"rows\":3}]");
  GridLayoutStore store(platform.defaults);
  const UUID a = store.layouts()[0].id;
  EXPECT_EQ(store.layoutWithID(a)->columns, 1);  // the first of two
  store.removeLayout(a);
  EXPECT_EQ(sizes(store.layouts()), (Sizes{{2, 2}}));
  EXPECT_EQ(store.layoutWithID(a), std::nullopt);

  platform.defaults.seedData("gridLayouts", "[]");
  store.removeLayout(UUID::random());
  EXPECT_EQ(storedLayouts(), store.layouts());
  EXPECT_EQ(platform.defaults.writeCount(), 2u);
}

TEST_F(GridLayoutStoreTest, RestoreDefaultsGivesTheSameFourIdsEveryTime) {
  GridLayoutStore store(platform.defaults);
  const std::vector<GridLayout> startUp = store.layouts();
  std::vector<GridLayout> edited = startUp;
  edited[0].shortcut = Shortcut{.keyCode = 18, .modifiers = 0xC0000};
  edited.pop_back();
  store.setLayouts(edited);
  for (int time = 0; time < 2; ++time) {
    store.restoreDefaults();
    EXPECT_EQ(store.layouts(), startUp);
  }
}

// A view that stops observing, or a callback that replaces itself, while the
// change sequence runs must not disturb that run or skip the next one.
TEST_F(GridLayoutStoreTest, ObserversAndOnChangeMayChangeThemselvesWhileRunning) {
  GridLayoutStore store(platform.defaults);
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
