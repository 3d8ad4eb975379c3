#include <gtest/gtest.h>

#include "app_test_harness.h"

namespace corvella {
namespace {

using testing_support::AppHarness;
using Strings = std::vector<std::string>;

const std::string allowed = "Accessibility: Allowed → openAccessibilitySettings@delegate";

const Strings closingItems = {"Settings… → openSettings@delegate key=, mask=0x100000",
                              "Launch at Login → toggleLogin@delegate", "---",
                              "Quit Corvella → terminate: key=q mask=0x100000"};

// Where the separators stand, which pins the size and order of every group.
std::vector<std::size_t> separators(const Strings& items) {
  std::vector<std::size_t> at;
  for (std::size_t i = 0; i < items.size(); ++i)
    if (items[i] == "---") at.push_back(i);
  return at;
}

class StatusMenuTest : public testing::Test, protected AppHarness {
 protected:
  Strings menu() { return testing_support::describe(delegate->buildMenu()); }
};

TEST_F(StatusMenuTest, TrustedWithThreeGridsAndNoUpdaterListsEveryItemInOrder) {
  // A 3×2 grid without shortcut, a 2×2 on control-option-up and a 1×1 on
  // control-option-1 (0xC0000 = 786432).
  storeGrids(R"([{"id":"AAAAAAAA-0000-4000-8000-000000000001","columns":3,"rows":2},)"
             R"({"id":"BBBBBBBB-0000-4000-8000-000000000002","columns":2,"rows":2,)"
             R"("shortcut":{"keyCode":126,"modifiers":786432}},)"
             R"({"id":"CCCCCCCC-0000-4000-8000-000000000003","columns":1,"rows":1,)"
             R"("shortcut":{"keyCode":18,"modifiers":786432}}])");
  delegate->applicationDidFinishLaunching();

  const Strings all = menu();
  EXPECT_EQ(separators(all), (std::vector<std::size_t>{1, 6, 11, 14, 17, 22, 27, 30, 33, 36}));
  EXPECT_EQ(all.size(), 38u);
  EXPECT_EQ(all[0], allowed);
  EXPECT_EQ(all[4], "Top Half → runAction:@delegate [topHalf] key=U+F700 mask=0x180000");
  EXPECT_EQ(all[18], "## App Window Grids");
  EXPECT_EQ(Strings(all.begin() + 19, all.begin() + 22),
            (Strings{"6-way Split (3×2) → runGrid:@delegate [AAAAAAAA-0000-4000-8000-000000000001]",
                     "4-way Split (2×2) → runGrid:@delegate [BBBBBBBB-0000-4000-8000-000000000002] "
                     "key=U+F700 mask=0xC0000",
                     "1-way Split (1×1) → runGrid:@delegate [CCCCCCCC-0000-4000-8000-000000000003] "
                     "key=1 mask=0xC0000"}));
  // Every action's title, in menu order; each item's shortcut is the default
  // table's, which the manual-page check in the hot-key tests pins.
  std::string titles;
  for (const std::string& item : all)
    if (item.find("runAction:") != std::string::npos)
      titles += item.substr(0, item.find(" →")) + "|";
  EXPECT_EQ(titles,
            "Left Half|Right Half|Top Half|Bottom Half|Top Left|Top Right|Bottom Left|Bottom "
            "Right|Previous Third|Next Third|Tile App Windows in Columns|Tile App Windows in "
            "Rows|Maximize|Center|Larger|Smaller|Previous Display|Next Display|Undo|Redo|");
  EXPECT_EQ(Strings(all.end() - 4, all.end()), closingItems);
}

TEST_F(StatusMenuTest, AnUpdateCheckComesBeforeSettingsAndNoStatusItemIsLoggedOnce) {
  platform.updater.setBundleInfoString("SUFeedURL", "https://updates.example.org/appcast.xml");
  delegate->applicationDidFinishLaunching();
  const Strings all = menu();
  EXPECT_EQ(all.at(all.size() - 5), "Check for Updates… → checkForUpdates:@updater");

  EXPECT_TRUE(delegate->performMenuItem(delegate->buildMenu().at(all.size() - 5)));
  EXPECT_EQ(platform.updater.updateChecks(), 1u);
  // Without a status item the way to the settings is logged, once.
  delegate->statusItemUnavailable();
  delegate->statusItemUnavailable();
  EXPECT_EQ(logMessages().back(),
            "상태 항목 표시 불가 — 시스템 트레이 없음 (단축키는 그대로 동작, 설정 창: "
            "corvella --settings)");
  EXPECT_EQ(logMessages().size(), 3u);
}

TEST_F(StatusMenuTest, EachOpeningReflectsTheStateAtThatMomentAndTheLocalizer) {
  storeGrids("[]");
  delegate->applicationDidFinishLaunching();
  // With no grids the header is followed by the separator before Maximize.
  const Strings before = menu();
  EXPECT_EQ(separators(before), (std::vector<std::size_t>{1, 6, 11, 14, 17, 19, 24, 27, 30, 33}));

  platform.desktop.setTrusted(false);
  // A hand-edited size still gives an item.
  services.gridLayoutStore().setLayouts(
      {{*UUID::parse("AAAAAAAA-0000-4000-8000-000000000001"), 0, 5, std::nullopt}});
  platform.localizer.setTranslation("%lld-way Split", "%lld분할");

  const Strings after = menu();
  EXPECT_EQ(after.size(), before.size() + 1);
  EXPECT_EQ(after[0], "Allow Accessibility Access… → openAccessibilitySettings@delegate");
  EXPECT_EQ(after[19], "0분할 (0×5) → runGrid:@delegate [AAAAAAAA-0000-4000-8000-000000000001]");
}

}  // namespace
}  // namespace corvella
