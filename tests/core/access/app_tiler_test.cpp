#include "core/access/app_tiler.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "../actions/window_manager_test_desktop.h"

namespace corvella {
namespace {

using fixtures::stamp;
using sim::SimPort;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr ProcessID editorPid = 7;
const Rect windowSize{0, 0, 300, 200};

struct Batch {
  std::vector<std::pair<sim::SimWindowId, Rect>> moves;
  std::string label;
};

class AppTilerTest : public ::testing::Test {
 protected:
  AppTilerTest() {
    desktop.addApplication(editorPid, "Editor");
    desktop.setFrontmostApplication(editorPid);
  }

  sim::SimWindowId addWindow(double x, double y, std::string title = {}) {
    return desktop.addWindow(editorPid, Rect{x, y, windowSize.width, windowSize.height},
                             std::move(title));
  }
  sim::SimWindowId addPanel(double x, double y) {
    sim::SimWindowSpec panel;
    panel.frame = {x, y, 200, 100};
    panel.subrole = "AXFloatingWindow";
    panel.title = "Inspector";
    return desktop.addWindow(editorPid, panel);
  }
  // Tiles with a writer that only records what it was handed.
  void tileRecorded(std::string_view label, const Layout& layout) {
    tiler.tileFrontApp(
        label, layout, [this](const std::vector<WindowMove>& moves, std::string_view header) {
          Batch batch;
          for (const WindowMove& move : moves) {
            batch.moves.emplace_back(*desktop.windowIdOf(move.window.element), move.frame);
          }
          batch.label = std::string(header);
          batches.push_back(std::move(batch));
        });
  }
  std::string entry(const std::string& message) { return std::string(stamp) + message + "\n"; }
  std::vector<std::string> accessibilityCalls() {
    return desktop.callTexts({SimPort::accessibility});
  }

  fixtures::DesktopHarness harness;
  sim::SimDesktop& desktop = harness.desktop();
  WindowManager& manager = harness.manager;
  AppTiler tiler{manager.access(), harness.platform.screens, harness.platform.sound, harness.log};
  std::vector<Batch> batches;
};

using Moves = std::vector<std::pair<sim::SimWindowId, Rect>>;

TEST_F(AppTilerTest, ColumnsFollowTheWindowsFromLeftToRight) {
  auto right = addWindow(900, 100);
  auto left = addWindow(10, 100);
  auto middle = addWindow(500, 100);
  tileRecorded("tileAppColumns", layoutColumns);
  ASSERT_EQ(batches.size(), 1u);
  EXPECT_EQ(batches[0].label, "tileAppColumns Editor ×3");
  EXPECT_EQ(batches[0].moves, (Moves{{left, {0, 25, 480, 875}},
                                     {middle, {480, 25, 480, 875}},
                                     {right, {960, 25, 480, 875}}}));
  EXPECT_EQ(desktop.beeps(), 0);
  EXPECT_FALSE(harness.logExists()) << "the writer logs, not the tiler";
}

TEST_F(AppTilerTest, OnlyTheWindowsOnTheFocusedWindowsScreenAreTiledAndCounted) {
  desktop.setScreens(sim::sideBySideScreens());
  auto p1 = addWindow(100, 100, "p1");
  auto p2 = addWindow(600, 100, "p2");
  auto s1 = addWindow(1500, 500, "s1");
  auto s2 = addWindow(2000, 0, "s2");
  auto s3 = addWindow(1600, -100, "s3");
  desktop.setFocusedWindow(editorPid, s2);

  manager.perform(WindowAction::tileAppRows);

  // The second screen's visible frame is (1440,-155,1920,1055); its rows end
  // at -155 + 1055 × k ÷ 3 rounded: 197, 548 and 900.
  EXPECT_EQ(desktop.frame(s3), (Rect{1440, -155, 1920, 352}));
  EXPECT_EQ(desktop.frame(s2), (Rect{1440, 197, 1920, 351}));
  EXPECT_EQ(desktop.frame(s1), (Rect{1440, 548, 1920, 352}));
  EXPECT_EQ(desktop.frame(p1), (Rect{100, 100, 300, 200}));
  EXPECT_EQ(desktop.frame(p2), (Rect{600, 100, 300, 200}));
  EXPECT_EQ(harness.logText(), entry("tileAppRows Editor ×3\n"
                                     "  OK 목표=(1440,-155 1920×352) 결과=(1440,-155 1920×352) s3\n"
                                     "  OK 목표=(1440,197 1920×351) 결과=(1440,197 1920×351) s2\n"
                                     "  OK 목표=(1440,548 1920×352) 결과=(1440,548 1920×352) s1"));
  ASSERT_EQ(manager.undoStack().size(), 1u);
  EXPECT_EQ(manager.undoStack()[0].size(), 3u);
}

TEST_F(AppTilerTest, AGridFillsFromTheTopLeftAndLeavesTheRestWhereTheyAre) {
  // Added in reverse reading order, so the list order is not the cell order.
  auto e = addWindow(0, 500, "E");
  auto d = addWindow(600, 300, "D");
  auto c = addWindow(0, 300, "C");
  auto b = addWindow(600, 100, "B");
  auto a = addWindow(0, 100, "A");

  manager.applyGrid(2, 2);

  EXPECT_EQ(desktop.frame(a), (Rect{0, 25, 720, 438}));
  EXPECT_EQ(desktop.frame(b), (Rect{720, 25, 720, 438}));
  EXPECT_EQ(desktop.frame(c), (Rect{0, 463, 720, 437}));
  EXPECT_EQ(desktop.frame(d), (Rect{720, 463, 720, 437}));
  EXPECT_EQ(desktop.frame(e), (Rect{0, 500, 300, 200}));
  EXPECT_EQ(harness.logText(), entry("grid 2×2 Editor ×5 (칸 부족, 1개 그대로)\n"
                                     "  OK 목표=(0,25 720×438) 결과=(0,25 720×438) A\n"
                                     "  OK 목표=(720,25 720×438) 결과=(720,25 720×438) B\n"
                                     "  OK 목표=(0,463 720×437) 결과=(0,463 720×437) C\n"
                                     "  OK 목표=(720,463 720×437) 결과=(720,463 720×437) D"));
  ASSERT_EQ(manager.undoStack().size(), 1u);
  EXPECT_EQ(manager.undoStack()[0].size(), 4u);
}

TEST_F(AppTilerTest, GridsWithoutCellsMoveNothingAndCountEveryWindowAsLeftOver) {
  constexpr std::int64_t max = std::numeric_limits<std::int64_t>::max();
  constexpr std::int64_t min = std::numeric_limits<std::int64_t>::min();
  struct Row {
    std::int64_t columns, rows;
    const char* label;
  };
  const Row rows[] = {
      {0, 2, "grid 0×2"},
      {2, 0, "grid 2×0"},
      {-1, 3, "grid -1×3"},
      {-2, -2, "grid -2×-2"},
      {max, 2, "grid 9223372036854775807×2"},
      {min, -1, "grid -9223372036854775808×-1"},
      {std::int64_t{1} << 32, std::int64_t{1} << 32, "grid 4294967296×4294967296"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    fixtures::DesktopHarness fresh;
    fresh.desktop().addApplication(editorPid, "Editor");
    fresh.desktop().setFrontmostApplication(editorPid);
    auto first = fresh.desktop().addWindow(editorPid, Rect{10, 100, 300, 200}, "A");
    auto second = fresh.desktop().addWindow(editorPid, Rect{500, 100, 300, 200}, "B");

    fresh.manager.applyGrid(row.columns, row.rows);

    EXPECT_EQ(fresh.desktop().frame(first), (Rect{10, 100, 300, 200}));
    EXPECT_EQ(fresh.desktop().frame(second), (Rect{500, 100, 300, 200}));
    EXPECT_EQ(fresh.logText(),
              entry(std::string(row.label) + " Editor ×2 (칸 부족, 2개 그대로)\n"));
    EXPECT_EQ(fresh.desktop().beeps(), 0);
    ASSERT_EQ(fresh.manager.undoStack().size(), 1u);
    EXPECT_TRUE(fresh.manager.undoStack()[0].empty());
  }
}

TEST_F(AppTilerTest, WithoutAFrontmostApplicationNothingHappens) {
  addWindow(100, 100);
  desktop.setFrontmostApplication(std::nullopt);
  desktop.clearCalls();
  tileRecorded("tileAppColumns", layoutColumns);
  EXPECT_THAT(batches, IsEmpty());
  EXPECT_EQ(desktop.beeps(), 0);
  EXPECT_FALSE(harness.logExists());
  EXPECT_THAT(accessibilityCalls(), IsEmpty());
}

TEST_F(AppTilerTest, WithoutAReferenceFrameOrScreenTheTilingFailsWithALineAndABeep) {
  struct Case {
    const char* name;
    std::function<void(sim::SimDesktop&)> arrange;
    const char* line;
  };
  const Case cases[] = {
      {"no windows", [](sim::SimDesktop&) {}, "tileAppRows: Editor 창 없음"},
      {"no name",
       [](sim::SimDesktop& d) {
         d.addApplication(8);
         d.setFrontmostApplication(8);
       },
       "tileAppRows: ? 창 없음"},
      {"no screens",
       [](sim::SimDesktop& d) {
         d.addWindow(editorPid, Rect{100, 100, 300, 200});
         d.setScreens({});
       },
       "tileAppRows: Editor 창 없음"},
      {"only a panel whose frame cannot be read",
       [](sim::SimDesktop& d) {
         sim::SimWindowSpec panel;
         panel.frame = {100, 100, 200, 100};
         panel.subrole = "AXFloatingWindow";
         auto id = d.addWindow(editorPid, panel);
         d.makeUnreadable(id, "AXSize");
       },
       "tileAppRows: Editor 창 없음"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fixtures::DesktopHarness fresh;
    fresh.desktop().addApplication(editorPid, "Editor");
    fresh.desktop().setFrontmostApplication(editorPid);
    c.arrange(fresh.desktop());
    fresh.manager.perform(WindowAction::tileAppRows);
    EXPECT_EQ(fresh.logText(), entry(c.line));
    EXPECT_EQ(fresh.desktop().beeps(), 1);
    EXPECT_TRUE(fresh.manager.undoStack().empty());
  }
}

TEST_F(AppTilerTest, WhenNoWindowStandsOnTheTargetScreenItOnlyBeeps) {
  desktop.setScreens(sim::sideBySideScreens());
  auto onPrimary = addWindow(100, 100);
  auto panel = addPanel(2000, 300);
  desktop.setFocusedWindow(editorPid, panel);
  tileRecorded("tileAppColumns", layoutColumns);
  EXPECT_THAT(batches, IsEmpty());
  EXPECT_EQ(desktop.beeps(), 1);
  EXPECT_FALSE(harness.logExists());
  EXPECT_EQ(desktop.frame(onPrimary), (Rect{100, 100, 300, 200}));
}

TEST_F(AppTilerTest, AFocusedPanelDecidesTheScreenAndIsRaisedAfterwardsWithoutMoving) {
  desktop.setScreens(sim::sideBySideScreens());
  auto onSecond = addWindow(2000, 100);
  auto onPrimary = addWindow(100, 100);
  auto panel = addPanel(50, 600);
  desktop.setFocusedWindow(editorPid, panel);
  desktop.clearCalls();

  tileRecorded("tileAppColumns", layoutColumns);

  ASSERT_EQ(batches.size(), 1u);
  EXPECT_EQ(batches[0].label, "tileAppColumns Editor ×1");
  EXPECT_EQ(batches[0].moves, (Moves{{onPrimary, {0, 25, 1440, 875}}}));
  EXPECT_EQ(desktop.frame(panel), (Rect{50, 600, 200, 100}));
  EXPECT_EQ(desktop.window(panel).raiseCount, 1);
  EXPECT_EQ(accessibilityCalls().back(), "action w3 AXRaise");
  (void)onSecond;
}

TEST_F(AppTilerTest, WithoutAFocusedWindowTheFirstStandardWindowDecides) {
  desktop.setScreens(sim::sideBySideScreens());
  auto onSecond = addWindow(2000, 100);
  addWindow(100, 100);
  addWindow(600, 100);
  desktop.setFocusedWindow(editorPid, std::nullopt);
  desktop.clearCalls();

  tileRecorded("tileAppColumns", layoutColumns);

  ASSERT_EQ(batches.size(), 1u);
  EXPECT_EQ(batches[0].label, "tileAppColumns Editor ×1");
  EXPECT_EQ(batches[0].moves, (Moves{{onSecond, {1440, -155, 1920, 1055}}}));
  for (const std::string& call : accessibilityCalls()) {
    EXPECT_FALSE(call.starts_with("action")) << "nothing to raise: " << call;
  }
}

TEST_F(AppTilerTest, AFocusedWindowWithoutAFrameHandsTheChoiceToTheFirstStandardWindow) {
  desktop.setScreens(sim::sideBySideScreens());
  auto onSecond = addWindow(2000, 100);
  auto onPrimary = addWindow(100, 100);
  auto panel = addPanel(100, 400);
  desktop.makeUnreadable(panel, "AXPosition");
  desktop.setFocusedWindow(editorPid, panel);

  tileRecorded("tileAppRows", layoutRows);

  ASSERT_EQ(batches.size(), 1u);
  EXPECT_EQ(batches[0].moves, (Moves{{onSecond, {1440, -155, 1920, 1055}}}));
  EXPECT_EQ(desktop.window(panel).raiseCount, 1) << "the focused window is still raised";
  (void)onPrimary;
}

TEST_F(AppTilerTest, AWindowThatClosesBeforeItsFrameIsReadIsNeitherMovedNorCounted) {
  addWindow(100, 100, "A");
  auto closing = addWindow(600, 100, "B");
  addWindow(1000, 100, "C");
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
