#include "core/access/app_tiler.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "../actions/window_manager_test_desktop.h"

namespace corvella {
namespace {

using fixtures::editorPid;
using fixtures::entry;
using fixtures::okLine;

using Moves = std::vector<std::pair<sim::SimWindowId, Rect>>;
struct Batch {
  Moves moves;
  std::string label;
};

sim::SimWindowId addPanel(sim::SimDesktop& desktop, double x, double y) {
  sim::SimWindowSpec panel;
  panel.frame = {x, y, 200, 100};
  panel.subrole = "AXFloatingWindow";
  return desktop.addWindow(editorPid, panel);
}

class AppTilerTest : public ::testing::Test, public fixtures::DesktopHarness {
 protected:
  sim::SimWindowId addWindowAt(double x, double y, std::string title = {}) {
    return addWindow({x, y, 300, 200}, std::move(title));
  }
  // Tiles with a writer that only records what it was handed.
  void tileRecorded(std::string_view label, const Layout& layout) {
    tiler.tileFrontApp(
        label, layout, [this](const std::vector<WindowMove>& moves, std::string_view header) {
          Batch batch{{}, std::string(header)};
          for (const WindowMove& move : moves) {
            batch.moves.emplace_back(*desktop.windowIdOf(move.window.element), move.frame);
          }
          batches.push_back(std::move(batch));
        });
  }

  AppTiler tiler{manager.access(), platform.screens, platform.sound, log};
  std::vector<Batch> batches;
};

TEST_F(AppTilerTest, OnlyTheWindowsOnTheFocusedWindowsScreenAreTiledAndCounted) {
  desktop.setScreens(sim::sideBySideScreens());
  auto p1 = addWindowAt(100, 100, "p1");
  auto p2 = addWindowAt(600, 100, "p2");
  auto s1 = addWindowAt(1500, 500, "s1");
  auto s2 = addWindowAt(2000, 0, "s2");
  auto s3 = addWindowAt(1600, -100, "s3");
  desktop.setFocusedWindow(editorPid, s2);

  manager.perform(WindowAction::tileAppRows);

  // The second screen's visible frame is (1440,-155,1920,1055); its rows end
  // at -155 + 1055 × k ÷ 3 rounded: 197, 548 and 900.
  EXPECT_EQ(desktop.frame(s3), (Rect{1440, -155, 1920, 352}));
  EXPECT_EQ(desktop.frame(s1), (Rect{1440, 548, 1920, 352}));
  EXPECT_EQ(desktop.frame(p1), (Rect{100, 100, 300, 200}));
  EXPECT_EQ(desktop.frame(p2), (Rect{600, 100, 300, 200}));
  EXPECT_EQ(logText(), entry("tileAppRows Editor ×3\n" + okLine("(1440,-155 1920×352)", "s3") +
                             "\n" + okLine("(1440,197 1920×351)", "s2") + "\n" +
                             okLine("(1440,548 1920×352)", "s1")));
  ASSERT_EQ(manager.undoStack().size(), 1u);
  EXPECT_EQ(manager.undoStack()[0].size(), 3u);
}

TEST_F(AppTilerTest, AGridFillsFromTheTopLeftAndLeavesTheRestWhereTheyAre) {
  // Added in reverse reading order, so the list order is not the cell order.
  auto e = addWindowAt(0, 500, "E");
  addWindowAt(600, 300, "D");
  addWindowAt(0, 300, "C");
  addWindowAt(600, 100, "B");
  addWindowAt(0, 100, "A");

  manager.applyGrid(2, 2);

  EXPECT_EQ(desktop.frame(e), (Rect{0, 500, 300, 200}));
  EXPECT_EQ(logText(),
            entry("grid 2×2 Editor ×5 (칸 부족, 1개 그대로)\n" + okLine("(0,25 720×438)", "A") +
                  "\n" + okLine("(720,25 720×438)", "B") + "\n" + okLine("(0,463 720×437)", "C") +
                  "\n" + okLine("(720,463 720×437)", "D")));
  ASSERT_EQ(manager.undoStack().size(), 1u);
  EXPECT_EQ(manager.undoStack()[0].size(), 4u);
}

TEST_F(AppTilerTest, GridsWithoutCellsMoveNothingAndCountEveryWindowAsLeftOver) {
  constexpr std::int64_t max = std::numeric_limits<std::int64_t>::max();
  constexpr std::int64_t min = std::numeric_limits<std::int64_t>::min();
  const struct {
    std::int64_t columns, rows;
    const char* label;
  } rows[] = {
      {0, 2, "grid 0×2"},
      {-2, -2, "grid -2×-2"},
      {max, 2, "grid 9223372036854775807×2"},
      {min, -1, "grid -9223372036854775808×-1"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    fixtures::DesktopHarness fresh;
    auto first = fresh.addWindow({10, 100, 300, 200}, "A");
    auto second = fresh.addWindow({500, 100, 300, 200}, "B");

    fresh.manager.applyGrid(row.columns, row.rows);

    EXPECT_EQ(fresh.desktop.frame(first), (Rect{10, 100, 300, 200}));
    EXPECT_EQ(fresh.desktop.frame(second), (Rect{500, 100, 300, 200}));
    EXPECT_EQ(fresh.logText(),
              entry(std::string(row.label) + " Editor ×2 (칸 부족, 2개 그대로)\n"));
    EXPECT_EQ(fresh.desktop.beeps(), 0);
    EXPECT_EQ(fresh.manager.undoStack(), std::vector<HistoryEntry>{HistoryEntry{}});
  }
}

TEST_F(AppTilerTest, RefusedTilingsLogTheFailureLineOrOnlyBeepAndMoveNothing) {
  const struct {
    const char* name;
    std::function<void(fixtures::DesktopHarness&)> arrange;
    std::string log;
    int beeps;
  } cases[] = {
      {"no frontmost application",
       [](fixtures::DesktopHarness& h) {
         h.addWindow({100, 100, 300, 200});
         h.desktop.setFrontmostApplication(std::nullopt);
       },
       "", 0},
      {"no window on the focused panel's screen",
       [](fixtures::DesktopHarness& h) {
         h.desktop.setScreens(sim::sideBySideScreens());
         h.addWindow({100, 100, 300, 200});
         h.desktop.setFocusedWindow(editorPid, addPanel(h.desktop, 2000, 300));
       },
       "", 1},
      {"no windows", [](fixtures::DesktopHarness&) {}, entry("tileAppRows: Editor 창 없음"), 1},
      {"no name",
       [](fixtures::DesktopHarness& h) {
         h.desktop.addApplication(8);
         h.desktop.setFrontmostApplication(8);
       },
       entry("tileAppRows: ? 창 없음"), 1},
      {"a name that would end the line",
       [](fixtures::DesktopHarness& h) {
         h.desktop.addApplication(8, "Evil\n2026-01-01T00:00:00Z 시작\x1b[0m");
         h.desktop.setFrontmostApplication(8);
       },
       entry("tileAppRows: Evil\\n2026-01-01T00:00:00Z 시작\\x1B[0m 창 없음"), 1},
      {"no screens",
       [](fixtures::DesktopHarness& h) {
         h.addWindow({100, 100, 300, 200});
         h.desktop.setScreens({});
       },
       entry("tileAppRows: Editor 창 없음"), 1},
      {"only a panel whose frame cannot be read",
       [](fixtures::DesktopHarness& h) {
         h.desktop.makeUnreadable(addPanel(h.desktop, 100, 100), "AXSize");
       },
       entry("tileAppRows: Editor 창 없음"), 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fixtures::DesktopHarness fresh;
    c.arrange(fresh);
    fresh.manager.perform(WindowAction::tileAppRows);
    EXPECT_EQ(fresh.logText(), c.log);
    EXPECT_EQ(fresh.desktop.beeps(), c.beeps);
    EXPECT_TRUE(fresh.manager.undoStack().empty());
  }
}

TEST_F(AppTilerTest, AFocusedPanelDecidesTheScreenAndIsRaisedAfterwardsWithoutMoving) {
  desktop.setScreens(sim::sideBySideScreens());
  addWindowAt(2000, 100);
  auto onPrimary = addWindowAt(100, 100);
  auto panel = addPanel(desktop, 50, 600);
  desktop.setFocusedWindow(editorPid, panel);
  desktop.clearCalls();

  tileRecorded("tileAppColumns", layoutColumns);

  ASSERT_EQ(batches.size(), 1u);
  EXPECT_EQ(batches[0].label, "tileAppColumns Editor ×1");
  EXPECT_EQ(batches[0].moves, (Moves{{onPrimary, {0, 25, 1440, 875}}}));
  EXPECT_EQ(desktop.frame(panel), (Rect{50, 600, 200, 100}));
  EXPECT_EQ(desktop.callTexts({sim::SimPort::accessibility}).back(), "action w3 AXRaise");
}

TEST_F(AppTilerTest, WithoutAFocusedFrameTheFirstStandardWindowDecides) {
  desktop.setScreens(sim::sideBySideScreens());
  auto onSecond = addWindowAt(2000, 100);
  addWindowAt(100, 100);
  auto panel = addPanel(desktop, 100, 400);
  desktop.makeUnreadable(panel, "AXPosition");
  // Either nothing is focused (nothing to raise), or the focused panel's
  // frame cannot be read (it is still raised).
  for (bool panelFocused : {false, true}) {
    SCOPED_TRACE(panelFocused ? "unreadable panel" : "nothing focused");
    batches.clear();
    desktop.setFocusedWindow(editorPid, panelFocused ? std::optional(panel) : std::nullopt);
    desktop.clearCalls();

    tileRecorded("tileAppRows", layoutRows);

    ASSERT_EQ(batches.size(), 1u);
    EXPECT_EQ(batches[0].label, "tileAppRows Editor ×1");
    EXPECT_EQ(batches[0].moves, (Moves{{onSecond, {1440, -155, 1920, 1055}}}));
    EXPECT_EQ(desktop.window(panel).raiseCount, panelFocused ? 1 : 0);
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
  tileRecorded("tileAppColumns", layoutColumns);
  ASSERT_EQ(batches.size(), 1u);
  EXPECT_EQ(batches[0].label, "tileAppColumns Editor ×2");
  EXPECT_EQ(batches[0].moves, (Moves{{1, {0, 25, 720, 875}}, {3, {720, 25, 720, 875}}}));
}

}  // namespace
}  // namespace corvella
