// apply, undo and redo: the writes, their log block and the two stacks.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "core/actions/window_manager.h"
#include "window_manager_test_desktop.h"

namespace corvella {
namespace {

using fixtures::editorPid;
using fixtures::entry;
using sim::SimPort;
using ::testing::ElementsAre;
using ::testing::EndsWith;

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();
const Rect start{100, 100, 800, 600};
const Rect leftHalf{0, 25, 720, 875};
const Rect rightHalf{720, 25, 720, 875};
const std::string leftHalfEntry =
    entry("leftHalf\n  OK 목표=(0,25 720×875) 결과=(0,25 720×875) Draft");

class WindowManagerHistoryTest : public ::testing::Test, public fixtures::DesktopHarness {};

TEST(FrameText, DropsFractionsTowardZeroAndNeverShowsANonNumber) {
  const std::pair<Rect, const char*> rows[] = {
      {{0, 25, 720, 875}, "(0,25 720×875)"},
      {{10.9, -3.7, 99.99, 0.5}, "(10,-3 99×0)"},
      {{-0.5, -1920, 1920.999, 1055}, "(0,-1920 1920×1055)"},
      {{1e15 + 0.5, 0, 0, 0}, "(1000000000000000,0 0×0)"},
      {{nan, inf, -inf, 1e300}, "(0,0 0×0)"},  // an application can hand back anything
  };
  for (const auto& [frame, text] : rows) EXPECT_EQ(frameText(frame), text);
}

TEST_F(WindowManagerHistoryTest, ApplyReadsEveryWindowBeforeWritingAndRecordsWhatItRead) {
  auto first = addWindow(start, "A");
  auto second = addWindow({200, 200, 800, 600}, "B");
  desktop.clearCalls();
  manager.apply({{ax(first), leftHalf}, {ax(second), rightHalf}}, "tileAppColumns Editor ×2");

  EXPECT_THAT(desktop.callTexts({SimPort::accessibility}),
              ElementsAre("copy w1 AXPosition", "copy w1 AXSize", "copy w2 AXPosition",
                          "copy w2 AXSize", "createApplication app7",
                          "copy app7 AXEnhancedUserInterface", "set w1 AXPosition (0,25)",
                          "set w1 AXSize 720x875", "set w1 AXPosition (0,25)", "copy w1 AXPosition",
                          "copy w1 AXSize", "copy w1 AXTitle", "createApplication app7",
                          "copy app7 AXEnhancedUserInterface", "set w2 AXPosition (720,25)",
                          "set w2 AXSize 720x875", "set w2 AXPosition (720,25)",
                          "copy w2 AXPosition", "copy w2 AXSize", "copy w2 AXTitle"));
  EXPECT_EQ(logText(), entry("tileAppColumns Editor ×2\n"
                             "  OK 목표=(0,25 720×875) 결과=(0,25 720×875) A\n"
                             "  OK 목표=(720,25 720×875) 결과=(720,25 720×875) B"));
  ASSERT_EQ(manager.undoStack().size(), 1u);
  EXPECT_EQ(manager.undoStack()[0],
            (HistoryEntry{{ax(first), start}, {ax(second), {200, 200, 800, 600}}}));
  EXPECT_TRUE(manager.redoStack().empty());
  EXPECT_EQ(desktop.beeps(), 0);
}

TEST_F(WindowManagerHistoryTest, AWindowKeptAboveItsTargetIsLoggedAsADifferenceBeyondFourPoints) {
  const std::pair<double, const char*> rows[] = {
      {724, "  OK 목표=(0,25 720×875) 결과=(0,25 724×875) Draft"},
      {725, "  차이 목표=(0,25 720×875) 결과=(0,25 725×875) Draft"},
      {900.75, "  차이 목표=(0,25 720×875) 결과=(0,25 900×875) Draft"},
  };
  for (const auto& [minimumWidth, line] : rows) {
    fixtures::DesktopHarness fresh;
    fresh.desktop.application(editorPid).minimumSize = sim::SimSize{minimumWidth, 100};
    auto id = fresh.addWindow({100, 100, 1000, 600}, "Draft");
    fresh.manager.apply({{fresh.ax(id), leftHalf}}, "leftHalf");
    EXPECT_EQ(fresh.logText(), entry(std::string("leftHalf\n") + line));
    ASSERT_EQ(fresh.manager.undoStack().size(), 1u);
    EXPECT_EQ(fresh.manager.undoStack()[0][0].frame, (Rect{100, 100, 1000, 600}));
  }
}

TEST_F(WindowManagerHistoryTest, WindowsThatVanishAreLeftOutOfTheSnapshotOrShowNil) {
  auto stays = addWindow(start, "Stays");
  auto closesAfterSnapshot = addWindow({200, 200, 800, 600}, "Goes");
  auto closedBefore = addWindow({300, 300, 800, 600}, "Gone");
  desktop.closeWindow(closedBefore);
  // The snapshot reads position and size of the first two windows (and only
  // the position of the closed one); the second closes right after that.
  desktop.closeWindowAfterCalls(closesAfterSnapshot, 4);

  manager.apply(
      {{ax(stays), leftHalf}, {ax(closesAfterSnapshot), rightHalf}, {ax(closedBefore), leftHalf}},
      "label");

  EXPECT_EQ(logText(), entry("label\n"
                             "  OK 목표=(0,25 720×875) 결과=(0,25 720×875) Stays\n"
                             "  차이 목표=(720,25 720×875) 결과=nil \n"
                             "  차이 목표=(0,25 720×875) 결과=nil "));
  ASSERT_EQ(manager.undoStack().size(), 1u);
  EXPECT_EQ(manager.undoStack()[0],
            (HistoryEntry{{ax(stays), start}, {ax(closesAfterSnapshot), {200, 200, 800, 600}}}));
}

TEST_F(WindowManagerHistoryTest, TitlesAreCutAfterFortyUserPerceivedCharacters) {
  const std::string korea = "\U0001F1F0\U0001F1F7";
  const std::string family = "\U0001F468\u200D\U0001F469\u200D\U0001F467";
  std::string title;
  for (int i = 0; i < 19; ++i) title += korea;
  title += family;  // the 20th character
  for (int i = 0; i < 20; ++i) title += "e\u0301";
  const std::string expected = title;  // exactly 40 characters so far
  title += "한국어 tail";

  auto id = addWindow(start, title);
  auto untitled = addWindow(start, "Draft");
  desktop.setAttributeOverride(untitled, "AXTitle", 42.0);  // not a text: the empty title
  manager.apply({{ax(id), leftHalf}, {ax(untitled), leftHalf}}, "leftHalf");
  EXPECT_EQ(logText(), entry("leftHalf\n  OK 목표=(0,25 720×875) 결과=(0,25 720×875) " + expected +
                             "\n  OK 목표=(0,25 720×875) 결과=(0,25 720×875) "));
}

TEST_F(WindowManagerHistoryTest, ATitleCanNeitherEndItsLineNorDriveATerminal) {
  // Forty characters are cut from the title as it is; its controls are then
  // escaped, so the line can grow past forty characters but stays one line.
  auto id = addWindow(start, "Mail\n2026-01-01T00:00:00Z 시작\r\x1b[2J\u0085 and more than forty");
  manager.apply({{ax(id), leftHalf}}, "leftHalf");
  EXPECT_EQ(logText(), entry("leftHalf\n  OK 목표=(0,25 720×875) 결과=(0,25 720×875) "
                             "Mail\\n2026-01-01T00:00:00Z 시작\\r\\x1B[2J\\u0085 and m"));
}

TEST_F(WindowManagerHistoryTest, ANonNumberReadBackIsLoggedAsZeroAndNeverWrittenBack) {
  auto id = addWindow(start, "Odd");
  desktop.setAttributeOverride(id, "AXPosition",
                               AXGeometryValue{AXGeometryValue::Kind::point, nan, inf});
  manager.apply({{ax(id), leftHalf}}, "leftHalf");
  EXPECT_EQ(logText(), entry("leftHalf\n  차이 목표=(0,25 720×875) 결과=(0,0 720×875) Odd"));

  // The snapshot holds the odd position; going back to it writes nothing.
  desktop.clearCalls();
  manager.undo();
  EXPECT_THAT(desktop.callTexts({SimPort::accessibility}),
              ElementsAre("copy w1 AXPosition", "copy w1 AXSize"));
  EXPECT_EQ(desktop.frame(id), leftHalf);
}

TEST_F(WindowManagerHistoryTest, ApplyWithNoMovesLogsTheLabelAndPushesAnEmptyEntry) {
  auto id = addWindow(start, "Draft");
  manager.apply({{ax(id), leftHalf}}, "leftHalf");
  manager.undo();
  ASSERT_EQ(manager.redoStack().size(), 1u);

  manager.apply({}, "grid 0×2 Editor ×1 (칸 부족, 1개 그대로)");
  EXPECT_EQ(logText(), leftHalfEntry + entry("undo: 창 1개 복원") +
                           entry("grid 0×2 Editor ×1 (칸 부족, 1개 그대로)\n"));
  EXPECT_EQ(manager.undoStack(), std::vector<HistoryEntry>{HistoryEntry{}});
  EXPECT_TRUE(manager.redoStack().empty());
}

TEST_F(WindowManagerHistoryTest, TheUndoStackKeepsTheNewestThirtyEntries) {
  auto id = addWindow({0, 25, 100, 100}, "Draft");
  for (int i = 1; i <= 31; ++i) manager.apply({{ax(id), {i * 10.0, 25, 100, 100}}}, "move");
  // Apply i recorded the frame at x = (i - 1) × 10; the first apply's entry is gone.
  ASSERT_EQ(manager.undoStack().size(), 30u);
  EXPECT_EQ(manager.undoStack().front()[0].frame, (Rect{10, 25, 100, 100}));
  EXPECT_EQ(manager.undoStack().back()[0].frame, (Rect{300, 25, 100, 100}));

  for (int i = 0; i < 30; ++i) manager.undo();
  EXPECT_EQ(desktop.frame(id), (Rect{10, 25, 100, 100}));
  EXPECT_EQ(manager.redoStack().size(), 30u);
  EXPECT_EQ(desktop.beeps(), 0);
  manager.undo();
  EXPECT_EQ(desktop.beeps(), 1);
}

TEST_F(WindowManagerHistoryTest, UndoAndRedoReplayTheHistoryAsFreshSnapshots) {
  auto id = addWindow(start, "Draft");
  manager.apply({{ax(id), leftHalf}}, "leftHalf");

  manager.undo();
  EXPECT_EQ(desktop.frame(id), start);
  EXPECT_TRUE(manager.undoStack().empty());
  EXPECT_EQ(manager.redoStack(), (std::vector<HistoryEntry>{{{ax(id), leftHalf}}}));

  manager.redo();
  EXPECT_EQ(desktop.frame(id), leftHalf);
  EXPECT_TRUE(manager.redoStack().empty());
  EXPECT_EQ(manager.undoStack(), (std::vector<HistoryEntry>{{{ax(id), start}}}));

  EXPECT_EQ(logText(), leftHalfEntry + entry("undo: 창 1개 복원") + entry("redo: 창 1개 복원"));
  EXPECT_EQ(desktop.beeps(), 0);
}

TEST_F(WindowManagerHistoryTest, AnEmptyStackBeepsAndLogsNothing) {
  manager.undo();
  manager.redo();
  EXPECT_EQ(desktop.beeps(), 2);
  EXPECT_FALSE(logExists());

  // Every apply empties the redo stack.
  auto id = addWindow(start, "Draft");
  manager.apply({{ax(id), leftHalf}}, "leftHalf");
  manager.undo();
  manager.apply({{ax(id), rightHalf}}, "rightHalf");
  manager.redo();
  EXPECT_EQ(desktop.beeps(), 3);
  EXPECT_EQ(desktop.frame(id), rightHalf);
}

TEST_F(WindowManagerHistoryTest, UndoAfterTheWindowClosedCountsTheEntryNotTheRestored) {
  auto id = addWindow(start, "Draft");
  manager.apply({{ax(id), leftHalf}}, "leftHalf");
  desktop.closeWindow(id);

  manager.undo();
  EXPECT_EQ(manager.redoStack(), std::vector<HistoryEntry>{HistoryEntry{}});
  manager.redo();
  EXPECT_EQ(manager.undoStack(), std::vector<HistoryEntry>{HistoryEntry{}});
  EXPECT_THAT(logText(), EndsWith(entry("undo: 창 1개 복원") + entry("redo: 창 0개 복원")));
  EXPECT_EQ(desktop.beeps(), 0);
}

}  // namespace
}  // namespace corvella
