// The status menu as the delegate builds it, item by item.
#include <gtest/gtest.h>

#include "app_test_harness.h"

namespace corvella {
namespace {

using testing_support::AppHarness;
using Strings = std::vector<std::string>;

Strings concat(std::initializer_list<Strings> parts) {
  Strings all;
  for (const Strings& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

const std::string allowed = "Accessibility: Allowed → openAccessibilitySettings@delegate";

const Strings actionGroupsBeforeGrids = {
    "---",
    "Left Half → runAction:@delegate [leftHalf] key=U+F702 mask=0x180000",
    "Right Half → runAction:@delegate [rightHalf] key=U+F703 mask=0x180000",
    "Top Half → runAction:@delegate [topHalf] key=U+F700 mask=0x180000",
    "Bottom Half → runAction:@delegate [bottomHalf] key=U+F701 mask=0x180000",
    "---",
    "Top Left → runAction:@delegate [upperLeft] key=U+F702 mask=0x140000",
    "Top Right → runAction:@delegate [upperRight] key=U+F703 mask=0x140000",
    "Bottom Left → runAction:@delegate [lowerLeft] key=U+F702 mask=0x160000",
    "Bottom Right → runAction:@delegate [lowerRight] key=U+F703 mask=0x160000",
    "---",
    "Previous Third → runAction:@delegate [previousThird] key=U+F702 mask=0xC0000",
    "Next Third → runAction:@delegate [nextThird] key=U+F703 mask=0xC0000",
    "---",
    "Tile App Windows in Columns → runAction:@delegate [tileAppColumns] key=a mask=0x180000",
    "Tile App Windows in Rows → runAction:@delegate [tileAppRows] key=a mask=0x1A0000",
    "---",
    "## App Window Grids"};

const Strings actionGroupsAfterGrids = {
    "---",
    "Maximize → runAction:@delegate [maximize] key=f mask=0x180000",
    "Center → runAction:@delegate [center] key=c mask=0x180000",
    "Larger → runAction:@delegate [larger] key=U+F703 mask=0xE0000",
    "Smaller → runAction:@delegate [smaller] key=U+F702 mask=0xE0000",
    "---",
    "Previous Display → runAction:@delegate [previousDisplay] key=U+F702 mask=0x1C0000",
    "Next Display → runAction:@delegate [nextDisplay] key=U+F703 mask=0x1C0000",
    "---",
    "Undo → runAction:@delegate [undo] key=z mask=0x180000",
    "Redo → runAction:@delegate [redo] key=z mask=0x1A0000",
    "---"};

const Strings closingItems = {"Settings… → openSettings@delegate key=, mask=0x100000",
                              "Launch at Login → toggleLogin@delegate", "---",
                              "Quit Corvella → terminate: key=q mask=0x100000"};

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

  EXPECT_EQ(menu(),
            concat({{allowed},
                    actionGroupsBeforeGrids,
                    {"6-way Split (3×2) → runGrid:@delegate [AAAAAAAA-0000-4000-8000-000000000001]",
                     "4-way Split (2×2) → runGrid:@delegate [BBBBBBBB-0000-4000-8000-000000000002] "
                     "key=U+F700 mask=0xC0000",
                     "1-way Split (1×1) → runGrid:@delegate [CCCCCCCC-0000-4000-8000-000000000003] "
                     "key=1 mask=0xC0000"},
                    actionGroupsAfterGrids,
                    closingItems}));
}

TEST_F(StatusMenuTest, AnUpdateCheckComesBeforeSettingsAndNoStatusItemIsLoggedOnce) {
  platform.updater.setBundleInfoString("SUFeedURL", "https://updates.example.org/appcast.xml");
  delegate->applicationDidFinishLaunching();
  const Strings all = menu();
  EXPECT_EQ(Strings(all.end() - 5, all.end()),
            concat({{"Check for Updates… → checkForUpdates:@updater"}, closingItems}));
  EXPECT_EQ(all.at(all.size() - 6), "---");

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
  const Strings before =
      concat({{allowed}, actionGroupsBeforeGrids, actionGroupsAfterGrids, closingItems});
  EXPECT_EQ(menu(), before);

  platform.desktop.setTrusted(false);
  // A hand-edited size still gives an item.
  services.gridLayoutStore().setLayouts(
      {{*UUID::parse("AAAAAAAA-0000-4000-8000-000000000001"), 0, 5, std::nullopt}});
  platform.localizer.setTranslation("Left Half", "왼쪽 절반");
  platform.localizer.setTranslation("%lld-way Split", "%lld분할");

  const Strings after = menu();
  EXPECT_EQ(after.size(), before.size() + 1);
  EXPECT_EQ(after[0], "Allow Accessibility Access… → openAccessibilitySettings@delegate");
  EXPECT_EQ(after[2], "왼쪽 절반 → runAction:@delegate [leftHalf] key=U+F702 mask=0x180000");
  EXPECT_EQ(after[19], "0분할 (0×5) → runGrid:@delegate [AAAAAAAA-0000-4000-8000-000000000001]");
}

}  // namespace
}  // namespace corvella
