// apply, undo and redo: the writes, their log block and the two stacks.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "core/actions/window_manager.h"
#include "window_manager_test_desktop.h"

namespace corvella {
namespace {

using fixtures::stamp;
using sim::SimPort;

constexpr ProcessID editorPid = 7;
const Rect leftHalf{0, 25, 720, 875};
const Rect rightHalf{720, 25, 720, 875};

class WindowManagerHistoryTest : public ::testing::Test {
 protected:
  WindowManagerHistoryTest() {
    desktop.addApplication(editorPid, "Editor");
    desktop.setFrontmostApplication(editorPid);
  }

  sim::SimWindowId addWindow(const Rect& frame, std::string title) {
    return desktop.addWindow(editorPid, frame, std::move(title));
  }
  AXWindow ax(sim::SimWindowId id) { return {desktop.windowElement(id), editorPid}; }
  std::string entry(const std::string& message) { return std::string(stamp) + message + "\n"; }

  fixtures::DesktopHarness harness;
  sim::SimDesktop& desktop = harness.desktop();
  WindowManager& manager = harness.manager;
};

TEST(FrameText, DropsFractionsTowardZeroAndNeverShowsANonNumber) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Row {
    Rect frame;
    const char* expected;
  };
  const Row rows[] = {
      {{0, 25, 720, 875}, "(0,25 720×875)"},
      {{10.9, -3.7, 99.99, 0.5}, "(10,-3 99×0)"},
      {{-0.5, -1920, 1920.999, 1055}, "(0,-1920 1920×1055)"},
      {{1e15 + 0.5, 0, 0, 0}, "(1000000000000000,0 0×0)"},
      // Written as 0: an application can hand back anything.
      {{nan, inf, -inf, 1e300}, "(0,0 0×0)"},
  };
  for (const Row& row : rows) EXPECT_EQ(frameText(row.frame), row.expected);
}

TEST_F(WindowManagerHistoryTest, ApplyWritesLogsAndRecordsTheFrameBefore) {
  auto id = addWindow({100, 100, 800, 600}, "Draft");
  manager.apply({{ax(id), leftHalf}}, "leftHalf");

  EXPECT_EQ(desktop.frame(id), leftHalf);
  EXPECT_EQ(harness.logText(),
            entry("leftHalf\n  OK 목표=(0,25 720×875) 결과=(0,25 720×875) Draft"));
  ASSERT_EQ(manager.undoStack().size(), 1u);
  ASSERT_EQ(manager.undoStack()[0].size(), 1u);
  EXPECT_EQ(manager.undoStack()[0][0].window, ax(id));
  EXPECT_EQ(manager.undoStack()[0][0].frame, (Rect{100, 100, 800, 600}));
  EXPECT_TRUE(manager.redoStack().empty());
  EXPECT_EQ(desktop.beeps(), 0);
}

TEST_F(WindowManagerHistoryTest, ApplyReadsEveryWindowBeforeTheFirstWrite) {
  auto first = addWindow({100, 100, 800, 600}, "A");
  auto second = addWindow({200, 200, 800, 600}, "B");
  desktop.clearCalls();
  manager.apply({{ax(first), leftHalf}, {ax(second), rightHalf}}, "tileAppColumns Editor ×2");

  EXPECT_THAT(
      desktop.callTexts({SimPort::accessibility}),
      ::testing::ElementsAre(
          "copy w1 AXPosition", "copy w1 AXSize", "copy w2 AXPosition", "copy w2 AXSize",
          "createApplication app7", "copy app7 AXEnhancedUserInterface", "set w1 AXPosition (0,25)",
          "set w1 AXSize 720x875", "set w1 AXPosition (0,25)", "copy w1 AXPosition",
          "copy w1 AXSize", "copy w1 AXTitle", "createApplication app7",
          "copy app7 AXEnhancedUserInterface", "set w2 AXPosition (720,25)",
          "set w2 AXSize 720x875", "set w2 AXPosition (720,25)", "copy w2 AXPosition",
          "copy w2 AXSize", "copy w2 AXTitle"));
  EXPECT_EQ(harness.logText(), entry("tileAppColumns Editor ×2\n"
                                     "  OK 목표=(0,25 720×875) 결과=(0,25 720×875) A\n"
                                     "  OK 목표=(720,25 720×875) 결과=(720,25 720×875) B"));
}

TEST_F(WindowManagerHistoryTest, AWindowKeptAboveItsTargetIsLoggedAsADifferenceWithinTolerance) {
  struct Row {
    double minimumWidth;
    const char* line;
  };
  // The tolerance is 4 points, inclusive.
  const Row rows[] = {
      {724, "  OK 목표=(0,25 720×875) 결과=(0,25 724×875) Draft"},
      {725, "  차이 목표=(0,25 720×875) 결과=(0,25 725×875) Draft"},
      {900.75, "  차이 목표=(0,25 720×875) 결과=(0,25 900×875) Draft"},
  };
  for (const Row& row : rows) {
    fixtures::DesktopHarness fresh;
    fresh.desktop().addApplication(editorPid, "Editor").minimumSize =
        sim::SimSize{row.minimumWidth, 100};
    auto id = fresh.desktop().addWindow(editorPid, Rect{100, 100, 1000, 600}, "Draft");
    fresh.manager.apply({{{fresh.desktop().windowElement(id), editorPid}, leftHalf}}, "leftHalf");
    EXPECT_EQ(fresh.logText(), entry(std::string("leftHalf\n") + row.line));
    ASSERT_EQ(fresh.manager.undoStack().size(), 1u);
    EXPECT_EQ(fresh.manager.undoStack()[0][0].frame, (Rect{100, 100, 1000, 600}));
  }
}

TEST_F(WindowManagerHistoryTest, WindowsThatVanishAreLeftOutOfTheSnapshotOrShowNil) {
  auto stays = addWindow({100, 100, 800, 600}, "Stays");
  auto closesAfterSnapshot = addWindow({200, 200, 800, 600}, "Goes");
  auto closedBefore = addWindow({300, 300, 800, 600}, "Gone");
  desktop.closeWindow(closedBefore);
  // The snapshot reads position and size of the first two windows (and only
  // the position of the closed one); the second closes right after that.
  desktop.closeWindowAfterCalls(closesAfterSnapshot, 4);

  manager.apply(
      {{ax(stays), leftHalf}, {ax(closesAfterSnapshot), rightHalf}, {ax(closedBefore), leftHalf}},
      "label");

  EXPECT_EQ(harness.logText(), entry("label\n"
                                     "  OK 목표=(0,25 720×875) 결과=(0,25 720×875) Stays\n"
                                     "  차이 목표=(720,25 720×875) 결과=nil \n"
                                     "  차이 목표=(0,25 720×875) 결과=nil "));
  ASSERT_EQ(manager.undoStack().size(), 1u);
  const HistoryEntry& snapshot = manager.undoStack()[0];
  ASSERT_EQ(snapshot.size(), 2u);
  EXPECT_EQ(snapshot[0].window, ax(stays));
  EXPECT_EQ(snapshot[1].window, ax(closesAfterSnapshot));
  EXPECT_EQ(snapshot[1].frame, (Rect{200, 200, 800, 600}));
}

TEST_F(WindowManagerHistoryTest, AWindowClosingBetweenPositionAndSizeShowsNil) {
  auto id = addWindow({100, 100, 800, 600}, "Draft");
  desktop.setBeforeAccessibilityCall([&](const sim::SimCall& call) {
    if (call.operation == "set" && call.attribute == "AXSize") desktop.closeWindow(id);
  });
  manager.apply({{ax(id), leftHalf}}, "leftHalf");
  EXPECT_EQ(harness.logText(), entry("leftHalf\n  차이 목표=(0,25 720×875) 결과=nil "));
  EXPECT_EQ(desktop.frame(id), (Rect{0, 25, 800, 600})) << "only the first write landed";
  EXPECT_EQ(manager.undoStack().size(), 1u);
}

TEST_F(WindowManagerHistoryTest, TitlesAreCutAfterFortyUserPerceivedCharacters) {
  const std::string korea = "\U0001F1F0\U0001F1F7";
  const std::string family = "\U0001F468\u200D\U0001F469\u200D\U0001F467";
  const std::string eAcute = "e\u0301";
  std::string title;
  for (int i = 0; i < 19; ++i) title += korea;
  title += family;  // the 20th character
  for (int i = 0; i < 20; ++i) title += eAcute;
  std::string expected = title;  // exactly 40 characters so far
  title += "한국어 tail";

  auto id = addWindow({100, 100, 800, 600}, title);
  manager.apply({{ax(id), leftHalf}}, "leftHalf");
  EXPECT_EQ(harness.logText(),
            entry("leftHalf\n  OK 목표=(0,25 720×875) 결과=(0,25 720×875) " + expected));
}

TEST_F(WindowManagerHistoryTest, AnUnreadableTitleLeavesTheLineEndingInASpace) {
  auto id = addWindow({100, 100, 800, 600}, "Draft");
  desktop.setAttributeOverride(id, "AXTitle", 42.0);
  manager.apply({{ax(id), leftHalf}}, "leftHalf");
  EXPECT_EQ(harness.logText(), entry("leftHalf\n  OK 목표=(0,25 720×875) 결과=(0,25 720×875) "));
}

TEST_F(WindowManagerHistoryTest, ANonNumberReadBackIsLoggedAsZeroAndNeverWrittenBack) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  auto id = addWindow({100, 100, 800, 600}, "Odd");
  desktop.setAttributeOverride(id, "AXPosition",
                               AXGeometryValue{AXGeometryValue::Kind::point, nan, inf});
  manager.apply({{ax(id), leftHalf}}, "leftHalf");
  EXPECT_EQ(harness.logText(),
            entry("leftHalf\n  차이 목표=(0,25 720×875) 결과=(0,0 720×875) Odd"));

  // The snapshot holds the odd position; going back to it writes nothing.
  desktop.clearCalls();
  manager.undo();
  EXPECT_THAT(desktop.callTexts({SimPort::accessibility}),
              ::testing::ElementsAre("copy w1 AXPosition", "copy w1 AXSize"));
  EXPECT_EQ(desktop.frame(id), leftHalf);
}

TEST_F(WindowManagerHistoryTest, ApplyWithNoMovesLogsTheLabelAndPushesAnEmptyEntry) {
  auto id = addWindow({100, 100, 800, 600}, "Draft");
  manager.apply({{ax(id), leftHalf}}, "leftHalf");
  manager.undo();
  ASSERT_EQ(manager.redoStack().size(), 1u);

  manager.apply({}, "grid 0×2 Editor ×1 (칸 부족, 1개 그대로)");
  EXPECT_EQ(harness.logText(),
            entry("leftHalf\n  OK 목표=(0,25 720×875) 결과=(0,25 720×875) Draft") +
                entry("undo: 창 1개 복원") + entry("grid 0×2 Editor ×1 (칸 부족, 1개 그대로)\n"));
  ASSERT_EQ(manager.undoStack().size(), 1u);
  EXPECT_TRUE(manager.undoStack()[0].empty());
  EXPECT_TRUE(manager.redoStack().empty());
}

TEST_F(WindowManagerHistoryTest, TheUndoStackKeepsTheNewestThirtyEntries) {
  auto id = addWindow({0, 25, 100, 100}, "Draft");
  for (int i = 1; i <= 31; ++i) manager.apply({{ax(id), {i * 10.0, 25, 100, 100}}}, "move");
  ASSERT_EQ(manager.undoStack().size(), WindowManager::historyLimit);
  // Apply i recorded the frame at x = (i - 1) × 10; the first apply's entry is gone.
  EXPECT_EQ(manager.undoStack().front()[0].frame, (Rect{10, 25, 100, 100}));
  EXPECT_EQ(manager.undoStack().back()[0].frame, (Rect{300, 25, 100, 100}));

  for (int i = 0; i < 30; ++i) manager.undo();
  EXPECT_EQ(desktop.frame(id), (Rect{10, 25, 100, 100}));
  EXPECT_EQ(manager.redoStack().size(), 30u);
  EXPECT_EQ(desktop.beeps(), 0);
  manager.undo();
  EXPECT_EQ(desktop.beeps(), 1);
  EXPECT_EQ(desktop.frame(id), (Rect{10, 25, 100, 100}));
}

TEST_F(WindowManagerHistoryTest, UndoAndRedoReplayTheHistory) {
  auto id = addWindow({100, 100, 800, 600}, "Draft");
  manager.apply({{ax(id), leftHalf}}, "leftHalf");

  manager.undo();
  EXPECT_EQ(desktop.frame(id), (Rect{100, 100, 800, 600}));
  EXPECT_TRUE(manager.undoStack().empty());
  ASSERT_EQ(manager.redoStack().size(), 1u);
  EXPECT_EQ(manager.redoStack()[0][0].frame, leftHalf) << "a fresh snapshot, not the entry";

  manager.redo();
  EXPECT_EQ(desktop.frame(id), leftHalf);
  EXPECT_TRUE(manager.redoStack().empty());
  ASSERT_EQ(manager.undoStack().size(), 1u);
  EXPECT_EQ(manager.undoStack()[0][0].frame, (Rect{100, 100, 800, 600}));

  EXPECT_EQ(harness.logText(),
            entry("leftHalf\n  OK 목표=(0,25 720×875) 결과=(0,25 720×875) Draft") +
                entry("undo: 창 1개 복원") + entry("redo: 창 1개 복원"));
  EXPECT_EQ(desktop.beeps(), 0);
}

TEST_F(WindowManagerHistoryTest, AnEmptyStackBeepsAndLogsNothing) {
  manager.undo();
  manager.redo();
  EXPECT_EQ(desktop.beeps(), 2);
  EXPECT_FALSE(harness.logExists());

  // Every apply empties the redo stack.
  auto id = addWindow({100, 100, 800, 600}, "Draft");
  manager.apply({{ax(id), leftHalf}}, "leftHalf");
  manager.undo();
  manager.apply({{ax(id), rightHalf}}, "rightHalf");
  EXPECT_TRUE(manager.redoStack().empty());
  manager.redo();
  EXPECT_EQ(desktop.beeps(), 3);
  EXPECT_EQ(desktop.frame(id), rightHalf);
}

TEST_F(WindowManagerHistoryTest, UndoAfterTheWindowClosedCountsTheEntryNotTheRestored) {
  auto id = addWindow({100, 100, 800, 600}, "Draft");
  manager.apply({{ax(id), leftHalf}}, "leftHalf");
  desktop.closeWindow(id);

  manager.undo();
  ASSERT_EQ(manager.redoStack().size(), 1u);
  EXPECT_TRUE(manager.redoStack()[0].empty());
  manager.redo();
  ASSERT_EQ(manager.undoStack().size(), 1u);
  EXPECT_TRUE(manager.undoStack()[0].empty());

  EXPECT_THAT(harness.logText(),
              ::testing::EndsWith(entry("undo: 창 1개 복원") + entry("redo: 창 0개 복원")));
  EXPECT_EQ(desktop.beeps(), 0);
}

}  // namespace
}  // namespace corvella
