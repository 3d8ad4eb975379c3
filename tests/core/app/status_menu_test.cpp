// The status menu as the delegate builds it for the current state: every
// item in order with its title, action, target, represented object, key
// equivalent, modifier mask and state.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app_test_harness.h"

namespace corvella {
namespace {

using testing_support::AppHarness;
using Strings = std::vector<std::string>;

// Non-ASCII characters as U+XXXX, so that the arrow keys' private-use
// characters can be told apart in a failure message.
std::string visibleKey(const std::string& key) {
  std::string text;
  for (std::size_t i = 0; i < key.size();) {
    const auto byte = static_cast<unsigned char>(key[i]);
    if (byte < 0x80) {
      text += key[i++];
    } else if ((byte & 0xF0) == 0xE0 && i + 2 < key.size()) {
      const unsigned code = ((byte & 0x0Fu) << 12) |
                            ((static_cast<unsigned char>(key[i + 1]) & 0x3Fu) << 6) |
                            (static_cast<unsigned char>(key[i + 2]) & 0x3Fu);
      char buffer[16];
      std::snprintf(buffer, sizeof buffer, "U+%04X", code);
      text += buffer;
      i += 3;
    } else {
      text += "?";
      ++i;
    }
  }
  return text;
}

// "Title → selector@target [object] key=… mask=0x… ✓", "---", "## Header".
std::string describe(const MenuItem& item) {
  if (item.kind == MenuItemKind::separator) return "---";
  if (item.kind == MenuItemKind::sectionHeader) return "## " + item.title;
  std::string text = item.title + " → " + std::string(selectorName(item.action));
  if (item.target == MenuTarget::delegate) text += "@delegate";
  if (item.target == MenuTarget::updater) text += "@updater";
  if (item.representedObject) text += " [" + *item.representedObject + "]";
  if (!item.keyEquivalent.empty()) text += " key=" + visibleKey(item.keyEquivalent);
  if (item.keyEquivalentModifierMask != 0) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, " mask=0x%llX",
                  static_cast<unsigned long long>(item.keyEquivalentModifierMask));
    text += buffer;
  }
  if (item.state == MenuItemState::on) text += " ✓";
  return text;
}

Strings describe(const std::vector<MenuItem>& items) {
  Strings lines;
  for (const MenuItem& item : items) lines.push_back(describe(item));
  return lines;
}

// A 3×2 grid without shortcut, a 2×2 on control-option-up and a 1×1 on
// control-option-1 (0xC0000 = 786432).
const char* const threeGrids =
    R"([{"id":"AAAAAAAA-0000-4000-8000-000000000001","columns":3,"rows":2},)"
    R"({"id":"BBBBBBBB-0000-4000-8000-000000000002","columns":2,"rows":2,)"
    R"("shortcut":{"keyCode":126,"modifiers":786432}},)"
    R"({"id":"CCCCCCCC-0000-4000-8000-000000000003","columns":1,"rows":1,)"
    R"("shortcut":{"keyCode":18,"modifiers":786432}}])";

const Strings actionGroupsBeforeGrids = {
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
    "## App Window Grids",
};

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
    "---",
};

const Strings closingItems = {
    "Settings… → openSettings@delegate key=, mask=0x100000",
    "Launch at Login → toggleLogin@delegate",
    "---",
    "Quit Corvella → terminate: key=q mask=0x100000",
};

Strings concat(std::initializer_list<Strings> parts) {
  Strings all;
  for (const Strings& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

class StatusMenuTest : public testing::Test, protected AppHarness {
 protected:
  Strings menu() { return describe(delegate->buildMenu()); }
  // The items after the last action group (the Undo/Redo separator).
  Strings tail() {
    const Strings all = menu();
    auto redo = std::find_if(all.begin(), all.end(),
                             [](const std::string& line) { return line.starts_with("Redo "); });
    return Strings(redo + 2, all.end());
  }
};

TEST_F(StatusMenuTest, TrustedWithThreeGridsAndNoUpdaterListsEveryItemInOrder) {
  platform.defaults.seedData("gridLayouts", threeGrids);
  delegate->applicationDidFinishLaunching();

  EXPECT_EQ(menu(),
            concat({{"Accessibility: Allowed → openAccessibilitySettings@delegate", "---"},
                    actionGroupsBeforeGrids,
                    {"6-way Split (3×2) → runGrid:@delegate [AAAAAAAA-0000-4000-8000-000000000001]",
                     "4-way Split (2×2) → runGrid:@delegate [BBBBBBBB-0000-4000-8000-000000000002] "
                     "key=U+F700 mask=0xC0000",
                     "1-way Split (1×1) → runGrid:@delegate [CCCCCCCC-0000-4000-8000-000000000003] "
                     "key=1 mask=0xC0000"},
                    actionGroupsAfterGrids,
                    closingItems}));
}

TEST_F(StatusMenuTest, UntrustedOffersAccessThroughTheSameAction) {
  platform.desktop.setTrusted(false);
  EXPECT_EQ(menu().front(), "Allow Accessibility Access… → openAccessibilitySettings@delegate");
}

TEST_F(StatusMenuTest, WithNoGridsTheHeaderIsFollowedByTheSeparatorBeforeMaximize) {
  platform.defaults.seedData("gridLayouts", "[]");
  EXPECT_EQ(menu(), concat({{"Accessibility: Allowed → openAccessibilitySettings@delegate", "---"},
                            actionGroupsBeforeGrids,
                            actionGroupsAfterGrids,
                            closingItems}));
}

TEST_F(StatusMenuTest, WithoutAnUpdaterSettingsFollowsTheUndoRedoSeparator) {
  EXPECT_EQ(tail().front(), "Settings… → openSettings@delegate key=, mask=0x100000");
}

TEST_F(StatusMenuTest, WithAnUpdaterTheUpdateCheckComesFirstAndTargetsTheUpdater) {
  platform.updater.setBundleInfoString("SUFeedURL", "https://updates.example.org/appcast.xml");
  delegate->applicationDidFinishLaunching();

  EXPECT_EQ(tail(), concat({{"Check for Updates… → checkForUpdates:@updater"}, closingItems}));
}

TEST_F(StatusMenuTest, LaunchAtLoginIsCheckedOnlyWhenEnabled) {
  const std::vector<std::pair<LoginItemStatus, const char*>> cases = {
      {LoginItemStatus::notRegistered, "Launch at Login → toggleLogin@delegate"},
      {LoginItemStatus::enabled, "Launch at Login → toggleLogin@delegate ✓"},
      {LoginItemStatus::requiresApproval, "Launch at Login → toggleLogin@delegate"},
      {LoginItemStatus::notFound, "Launch at Login → toggleLogin@delegate"},
  };
  for (const auto& [status, expected] : cases) {
    platform.loginItem.setStatus(status);
    EXPECT_EQ(tail().at(1), expected) << static_cast<int>(status);
  }
}

TEST_F(StatusMenuTest, AKeyboardThatNamesNoKeyDropsLetterEquivalentsButKeepsArrows) {
  platform.keyboardLayout.setLayout(sim::SimKeyboardLayout::Layout::none);
  const Strings all = menu();
  EXPECT_EQ(all[2], "Left Half → runAction:@delegate [leftHalf] key=U+F702 mask=0x180000");
  auto maximize = std::find_if(
      all.begin(), all.end(), [](const std::string& line) { return line.starts_with("Maximize"); });
  ASSERT_NE(maximize, all.end());
  EXPECT_EQ(*maximize, "Maximize → runAction:@delegate [maximize] mask=0x180000");
}

TEST_F(StatusMenuTest, TitlesComeFromTheLocalizer) {
  platform.localizer.setTranslation("Left Half", "왼쪽 절반");
  platform.localizer.setTranslation("%lld-way Split", "%lld분할");
  platform.localizer.setTranslation("Quit Corvella", "Corvella 종료");
  platform.defaults.seedData("gridLayouts",
                             R"([{"id":"AAAAAAAA-0000-4000-8000-000000000001","columns":3,)"
                             R"("rows":2}])");
  const Strings all = menu();
  EXPECT_EQ(all[2], "왼쪽 절반 → runAction:@delegate [leftHalf] key=U+F702 mask=0x180000");
  EXPECT_EQ(all[19], "6분할 (3×2) → runGrid:@delegate [AAAAAAAA-0000-4000-8000-000000000001]");
  EXPECT_EQ(all.back(), "Corvella 종료 → terminate: key=q mask=0x100000");
}

TEST_F(StatusMenuTest, EachOpeningReflectsTheStateAtThatMoment) {
  platform.defaults.seedData("gridLayouts", "[]");
  delegate->applicationDidFinishLaunching();
  const std::size_t before = menu().size();

  platform.desktop.setTrusted(false);
  services.gridLayoutStore().addLayout();
  platform.loginItem.setStatus(LoginItemStatus::enabled);

  const Strings after = menu();
  EXPECT_EQ(after.size(), before + 1);
  EXPECT_EQ(after.front(), "Allow Accessibility Access… → openAccessibilitySettings@delegate");
  EXPECT_TRUE(after[19].starts_with("4-way Split (2×2) → runGrid:@delegate [")) << after[19];
  EXPECT_EQ(after[after.size() - 3], "Launch at Login → toggleLogin@delegate ✓");
}

TEST_F(StatusMenuTest, HandEditedGridSizesStillGiveItems) {
  platform.defaults.seedData(
      "gridLayouts",
      R"([{"id":"AAAAAAAA-0000-4000-8000-000000000001","columns":0,"rows":5},)"
      R"({"id":"BBBBBBBB-0000-4000-8000-000000000002","columns":9223372036854775807,"rows":-2}])");
  const Strings all = menu();
  EXPECT_EQ(all[19],
            "0-way Split (0×5) → runGrid:@delegate [AAAAAAAA-0000-4000-8000-000000000001]");
  // The cell count saturates at the lowest 64-bit value instead of wrapping.
  EXPECT_EQ(all[20],
            "-9223372036854775808-way Split (9223372036854775807×-2) → runGrid:@delegate "
            "[BBBBBBBB-0000-4000-8000-000000000002]");
  EXPECT_EQ(all[21], "---");
}

}  // namespace
}  // namespace corvella
