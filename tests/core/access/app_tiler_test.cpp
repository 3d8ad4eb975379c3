#include "core/access/app_tiler.h"

#include <gtest/gtest.h>

#include "../actions/window_manager_test_desktop.h"

namespace corvella {
namespace {

using fixtures::editorPid;
using fixtures::entry;
using fixtures::okLine;

class AppTilerTest : public fixtures::DesktopTest {
 protected:
  sim::SimWindowId addWindowAt(double x, double y, std::string title = {}) {
    return addWindow({x, y, 300, 200}, std::move(title));
  }
};

TEST_F(AppTilerTest, OnlyTheWindowsOnTheFocusedWindowsScreenAreTiledAndCounted) {
  desktop.setScreens(sim::sideBySideScreens());
  auto p1 = addWindowAt(100, 100, "p1");
  addWindowAt(1500, 500, "s1");
  auto s2 = addWindowAt(2000, 0, "s2");
  addWindowAt(1600, -100, "s3");
  desktop.setFocusedWindow(editorPid, s2);

  manager.perform(WindowAction::tileAppRows);

  // The second screen's visible frame is (1440,-155,1920,1055); its rows end
  // at -155 + 1055 × k ÷ 3 rounded: 197, 548 and 900.
  EXPECT_EQ(logText(), entry("tileAppRows Editor ×3\n" + okLine("(1440,-155 1920×352)", "s3") +
                             "\n" + okLine("(1440,197 1920×351)", "s2") + "\n" +
                             okLine("(1440,548 1920×352)", "s1")));
  EXPECT_EQ(desktop.frame(p1), (Rect{100, 100, 300, 200}));
  ASSERT_EQ(manager.undoStack().size(), 1u);
  EXPECT_EQ(manager.undoStack()[0].size(), 3u);
}

TEST_F(AppTilerTest, AGridFillsFromTheTopLeftAndLeavesTheRestWhereTheyAreOrAllWithoutCells) {
  // Added in reverse reading order, so the list order is not the cell order.
  auto e = addWindowAt(0, 500, "E");
  addWindowAt(600, 300, "D");
  addWindowAt(0, 300, "C");
  addWindowAt(600, 100, "B");
  addWindowAt(0, 100, "A");
  EXPECT_EQ(manager.applyGrid(2, 2), ActionOutcome::applied(4, 4));
  EXPECT_EQ(desktop.frame(e), (Rect{0, 500, 300, 200}));
  EXPECT_EQ(logText(),
            entry("grid 2×2 Editor ×5 (칸 부족, 1개 그대로)\n" + okLine("(0,25 720×438)", "A") +
                  "\n" + okLine("(720,25 720×438)", "B") + "\n" + okLine("(0,463 720×437)", "C") +
                  "\n" + okLine("(720,463 720×437)", "D")));
  EXPECT_EQ(manager.undoStack().back().size(), 4u);

  // A grid without cells moves nothing, beeps not, and still takes an entry.
  EXPECT_EQ(manager.applyGrid(0, 2), ActionOutcome::applied(0, 0));
  EXPECT_EQ(desktop.frame(e), (Rect{0, 500, 300, 200}));
  EXPECT_TRUE(logText().ends_with(entry("grid 0×2 Editor ×5 (칸 부족, 5개 그대로)\n")))
      << logText();
  EXPECT_EQ(desktop.beeps(), 0);
  EXPECT_EQ(manager.undoStack().back(), HistoryEntry{});
}

TEST_F(AppTilerTest, TheFocusedWindowDecidesTheScreenElseTheFirstStandardOneAndIsRaised) {
  desktop.setScreens(sim::sideBySideScreens());
  auto onSecond = addWindowAt(2000, 100, "far");
  addWindowAt(100, 100, "near");
  auto panel = addFocusedPanel({50, 600, 200, 100});
  manager.perform(WindowAction::tileAppColumns);
  EXPECT_EQ(logText(), entry("tileAppColumns Editor ×1\n" + okLine("(0,25 1440×875)", "near")));
  EXPECT_EQ(desktop.frame(panel), (Rect{50, 600, 200, 100}));
  EXPECT_EQ(desktop.callTexts({sim::SimPort::accessibility}).back(), "action w3 AXRaise");

  // Only a panel whose frame cannot be read is no window.
  fixtures::DesktopHarness panelOnly;
  panelOnly.desktop.makeUnreadable(panelOnly.addFocusedPanel({100, 100, 200, 100}), "AXSize");
  panelOnly.manager.perform(WindowAction::tileAppRows);
  EXPECT_EQ(panelOnly.logText(), entry("tileAppRows: Editor 창 없음"));
  // Nothing focused (nothing to raise), or a focused panel whose frame cannot
  // be read (it is still raised): the front-most standard window decides.
  desktop.makeUnreadable(panel, "AXPosition");
  for (bool panelFocused : {false, true}) {
    desktop.setFocusedWindow(editorPid, panelFocused ? std::optional(panel) : std::nullopt);
    manager.perform(WindowAction::tileAppRows);
    EXPECT_EQ(desktop.frame(onSecond), (Rect{1440, -155, 1920, 1055}));
    EXPECT_EQ(desktop.window(panel).raiseCount, panelFocused ? 2 : 1);
    manager.undo();
  }
}

TEST_F(AppTilerTest, AWindowThatClosesBeforeItsFrameIsReadIsNeitherMovedNorCounted) {
  addWindowAt(100, 100, "A");
  auto closing = addWindowAt(600, 100, "B");
  addWindowAt(1000, 100, "C");
  // The second read of its position is the tiler's own, after the list.
  int positionReads = 0;
  desktop.setBeforeAccessibilityCall([&](const sim::SimCall& call) {
    if (call.text() == "copy w2 AXPosition" && ++positionReads == 2) desktop.closeWindow(closing);
  });
  manager.perform(WindowAction::tileAppColumns);
  EXPECT_EQ(logText(), entry("tileAppColumns Editor ×2\n" + okLine("(0,25 720×875)", "A") + "\n" +
                             okLine("(720,25 720×875)", "C")));
}

}  // namespace
}  // namespace corvella
