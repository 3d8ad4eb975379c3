// The window manager: apply, undo and redo with their log block and the two
// stacks; perform and applyGrid with the permission, the focused window, the
// screens and the hand-over to the tiler.
#include "core/actions/window_manager.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "window_manager_test_desktop.h"

namespace corvella {
namespace {

using fixtures::editorPid;
using fixtures::entry;
using fixtures::okLine;
using sim::SimPort;
using ::testing::ElementsAre;
using ::testing::EndsWith;
using History = std::vector<HistoryEntry>;

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();
const Rect start{100, 100, 800, 600};
const Rect leftHalf{0, 25, 720, 875};
const Rect rightHalf{720, 25, 720, 875};

class WindowManagerTest : public ::testing::Test, public fixtures::DesktopHarness {
 protected:
  std::vector<std::string> calls() {
    return desktop.callTexts({SimPort::accessibility, SimPort::workspace, SimPort::screens});
  }
};

TEST(FrameText, DropsFractionsTowardZeroAndNeverShowsANonNumber) {
  const std::pair<Rect, const char*> rows[] = {
      {{10.9, -3.7, 99.99, 0.5}, "(10,-3 99×0)"},
      {{-0.5, -1920, 1920.999, 1055}, "(0,-1920 1920×1055)"},
      {{1e15 + 0.5, 0, 0, 0}, "(1000000000000000,0 0×0)"},
      {{nan, inf, -inf, 1e300}, "(0,0 0×0)"},  // an application can hand back anything
  };
  for (const auto& [frame, text] : rows) EXPECT_EQ(frameText(frame), text);
}

TEST_F(WindowManagerTest, ApplyReadsEveryWindowBeforeWritingAndRecordsWhatItRead) {
  auto first = addWindow(start, "A");
  auto second = addWindow({200, 200, 800, 600}, "B");
  desktop.clearCalls();
  manager.apply({{ax(first), leftHalf}, {ax(second), rightHalf}}, "tileAppColumns Editor ×2");

  // The snapshot is complete before the first write starts.
  auto calls = desktop.callTexts({SimPort::accessibility});
  calls.resize(5);
  EXPECT_THAT(calls, ElementsAre("copy w1 AXPosition", "copy w1 AXSize", "copy w2 AXPosition",
                                 "copy w2 AXSize", "createApplication app7"));
  EXPECT_EQ(logText(), entry("tileAppColumns Editor ×2\n" + okLine("(0,25 720×875)", "A") + "\n" +
                             okLine("(720,25 720×875)", "B")));
  EXPECT_EQ(manager.undoStack(),
            (History{{{ax(first), start}, {ax(second), {200, 200, 800, 600}}}}));
  EXPECT_EQ(desktop.beeps(), 0);
}

TEST_F(WindowManagerTest, AWindowKeptAboveItsTargetIsLoggedAsADifferenceBeyondFourPoints) {
  const std::pair<double, const char*> rows[] = {
      {724, "  OK 목표=(0,25 720×875) 결과=(0,25 724×875) Draft"},
      {725, "  차이 목표=(0,25 720×875) 결과=(0,25 725×875) Draft"},
      {900.75, "  차이 목표=(0,25 720×875) 결과=(0,25 900×875) Draft"},
  };
  for (const auto& [minimumWidth, line] : rows) {
    fixtures::DesktopHarness fresh;
    fresh.desktop.application(editorPid).minimumSize = sim::SimSize{minimumWidth, 100};
    auto id = fresh.addWindow(start, "Draft");
    fresh.manager.apply({{fresh.ax(id), leftHalf}}, "leftHalf");
    EXPECT_EQ(fresh.logText(), entry(std::string("leftHalf\n") + line));
    EXPECT_EQ(fresh.manager.undoStack(), (History{{{fresh.ax(id), start}}}));
  }
}

TEST_F(WindowManagerTest, WindowsThatVanishAreLeftOutOfTheSnapshotOrShowNil) {
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

  EXPECT_EQ(logText(), entry("label\n" + okLine("(0,25 720×875)", "Stays") +
                             "\n  차이 목표=(720,25 720×875) 결과=nil "
                             "\n  차이 목표=(0,25 720×875) 결과=nil "));
  EXPECT_EQ(manager.undoStack(),
            (History{{{ax(stays), start}, {ax(closesAfterSnapshot), {200, 200, 800, 600}}}}));
}

TEST_F(WindowManagerTest, TitlesAreCutAfterFortyUserPerceivedCharactersAndMayBeAbsent) {
  std::string title;
  for (int i = 0; i < 40; ++i) title += "e\u0301";
  auto id = addWindow(start, title + "한국어 tail");
  auto untitled = addWindow(start, "Draft");
  desktop.setAttributeOverride(untitled, "AXTitle", 42.0);  // not a text: the empty title
  manager.apply({{ax(id), leftHalf}, {ax(untitled), leftHalf}}, "leftHalf");
  EXPECT_EQ(logText(), entry("leftHalf\n" + okLine("(0,25 720×875)", title) + "\n" +
                             okLine("(0,25 720×875)", "")));
}

TEST_F(WindowManagerTest, ANonNumberReadBackIsLoggedAsZeroAndNeverWrittenBack) {
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

TEST_F(WindowManagerTest, TheUndoStackKeepsTheNewestThirtyEntries) {
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

TEST_F(WindowManagerTest, UndoAndRedoReplayTheHistoryAsFreshSnapshots) {
  auto id = addWindow(start, "Draft");
  manager.apply({{ax(id), leftHalf}}, "leftHalf");
  manager.undo();
  EXPECT_EQ(desktop.frame(id), start);
  EXPECT_TRUE(manager.undoStack().empty());
  EXPECT_EQ(manager.redoStack(), (History{{{ax(id), leftHalf}}}));

  manager.redo();
  EXPECT_EQ(desktop.frame(id), leftHalf);
  EXPECT_TRUE(manager.redoStack().empty());
  EXPECT_EQ(manager.undoStack(), (History{{{ax(id), start}}}));
  EXPECT_THAT(logText(), EndsWith(entry("undo: 창 1개 복원") + entry("redo: 창 1개 복원")));

  // Every apply empties the redo stack; an empty stack beeps and logs nothing.
  manager.undo();
  manager.apply({{ax(id), rightHalf}}, "rightHalf");
  const std::string logged = logText();
  manager.redo();
  EXPECT_EQ(desktop.beeps(), 1);
  EXPECT_EQ(desktop.frame(id), rightHalf);
  EXPECT_EQ(logText(), logged);
}

TEST_F(WindowManagerTest, UndoAfterTheWindowClosedCountsTheEntryNotTheRestored) {
  auto id = addWindow(start, "Draft");
  manager.apply({{ax(id), leftHalf}}, "leftHalf");
  desktop.closeWindow(id);
  manager.undo();
  EXPECT_EQ(manager.redoStack(), History{HistoryEntry{}});
  manager.redo();
  EXPECT_EQ(manager.undoStack(), History{HistoryEntry{}});
  EXPECT_THAT(logText(), EndsWith(entry("undo: 창 1개 복원") + entry("redo: 창 0개 복원")));
  EXPECT_EQ(desktop.beeps(), 0);
}

TEST_F(WindowManagerTest, WithoutPermissionActionsPromptAndLogTheirRefusalAndGridsOnlyPrompt) {
  auto id = addWindow(start, "Draft");
  manager.apply({{ax(id), {0, 25, 720, 875}}}, "leftHalf");
  const std::string before = logText();
  desktop.setTrusted(false);
  desktop.clearCalls();

  manager.perform(WindowAction::maximize);
  manager.perform(WindowAction::undo);
  manager.perform(WindowAction::tileAppColumns);
  manager.applyGrid(3, 2);
  EXPECT_EQ(logText(), before + entry("권한 없음 — maximize 무시") +
                           entry("권한 없음 — undo 무시") +
                           entry("권한 없음 — tileAppColumns 무시"));
  std::vector<std::string> asked;
  for (int i = 0; i < 4; ++i)
    asked.insert(asked.end(), {"isProcessTrusted", "isProcessTrustedWithPrompt"});
  EXPECT_EQ(calls(), asked);
  EXPECT_EQ(desktop.promptsShown(), 4);
  EXPECT_EQ(desktop.beeps(), 0);
  EXPECT_EQ(desktop.frame(id), (Rect{0, 25, 720, 875}));
  EXPECT_EQ(manager.undoStack().size(), 1u) << "undo did not run";
}

TEST_F(WindowManagerTest, PlacementsMoveTheFocusedWindowUnderTheirRawValue) {
  addWindow({320, 163, 800, 600}, "Draft");
  desktop.clearCalls();
  manager.perform(WindowAction::larger);
  auto asked = calls();
  asked.resize(8);
  EXPECT_THAT(asked,
              ElementsAre("isProcessTrusted", "frontmostApplication", "createApplication app7",
                          "copy app7 AXFocusedWindow", "copy w1 AXPosition", "copy w1 AXSize",
                          "screens", "copy w1 AXPosition"));
  // Five per cent of the primary 1440×900 screen's visible frame (0,25 1440×875).
  manager.perform(WindowAction::bottomHalf);
  EXPECT_EQ(logText(), entry("larger\n" + okLine("(284,141 872×644)", "Draft")) +
                           entry("bottomHalf\n" + okLine("(0,463 1440×437)", "Draft")));
  EXPECT_EQ(manager.undoStack().size(), 2u);
}

TEST_F(WindowManagerTest, APanelThatHasTheFocusIsTheWindowMoved) {
  auto main = addWindow(start, "Draft");
  sim::SimWindowSpec panel;
  panel.frame = {10, 40, 300, 200};
  panel.title = "Find";
  panel.subrole = "AXFloatingWindow";
  auto panelId = desktop.addWindow(editorPid, panel);
  desktop.setFocusedWindow(editorPid, panelId);
  manager.perform(WindowAction::center);
  EXPECT_EQ(desktop.frame(main), start);
  EXPECT_EQ(logText(), entry("center\n" + okLine("(570,363 300×200)", "Find")));
}

TEST_F(WindowManagerTest, RefusedPlacementsLeaveTheWindowAndTheHistoryAlone) {
  using Arrange = std::function<void(sim::SimDesktop&, sim::SimWindowId)>;
  const struct {
    Arrange arrange;
    WindowAction action;
    std::string log;
    int beeps;
  } cases[] = {
      {[](sim::SimDesktop& d, sim::SimWindowId) { d.setFrontmostApplication(std::nullopt); },
       WindowAction::center, entry("center: 초점 창 없음"), 1},
      {[](sim::SimDesktop& d, sim::SimWindowId) { d.setFocusedWindow(editorPid, std::nullopt); },
       WindowAction::center, entry("center: 초점 창 없음"), 1},
      {[](sim::SimDesktop& d, sim::SimWindowId id) { d.makeUnreadable(id, "AXSize"); },
       WindowAction::center, entry("center: 초점 창 없음"), 1},
      {[](sim::SimDesktop& d, sim::SimWindowId) { d.setScreens({}); }, WindowAction::maximize, "",
       0},
      {[](sim::SimDesktop&, sim::SimWindowId) {}, WindowAction::nextDisplay, "", 1},
      {[](sim::SimDesktop&, sim::SimWindowId) {}, WindowAction::previousDisplay, "", 1},
  };
  for (const auto& c : cases) {
    fixtures::DesktopHarness fresh;
    auto id = fresh.addWindow(start, "Draft");
    c.arrange(fresh.desktop, id);
    fresh.manager.perform(c.action);
    EXPECT_EQ(fresh.logText(), c.log) << &c - cases;
    EXPECT_EQ(fresh.desktop.beeps(), c.beeps) << &c - cases;
    EXPECT_EQ(fresh.desktop.frame(id), start);
    EXPECT_TRUE(fresh.manager.undoStack().empty());
  }
}

TEST_F(WindowManagerTest, DisplayMovesAndHistoryNeedTheirOwnInputsOnly) {
  desktop.setScreens(sim::sideBySideScreens());
  auto id = addWindow({0, 25, 720, 875}, "Draft");
  manager.perform(WindowAction::nextDisplay);
  // The second screen's visible frame is (1440,-155,1920,1055) in window space.
  EXPECT_EQ(logText(), entry("nextDisplay\n" + okLine("(1440,-155 960×1055)", "Draft")));
  manager.perform(WindowAction::previousDisplay);
  EXPECT_EQ(desktop.frame(id), (Rect{0, 25, 720, 875}));

  // Undo and redo need no focused window.
  desktop.setFrontmostApplication(std::nullopt);
  manager.perform(WindowAction::undo);
  EXPECT_EQ(desktop.frame(id), (Rect{1440, -155, 960, 1055}));
  manager.perform(WindowAction::redo);
  EXPECT_EQ(desktop.frame(id), (Rect{0, 25, 720, 875}));
  manager.perform(WindowAction::redo);
  EXPECT_EQ(desktop.beeps(), 1) << "the redo stack is empty again";
  EXPECT_THAT(logText(), EndsWith(entry("undo: 창 1개 복원") + entry("redo: 창 1개 복원")));
}

TEST_F(WindowManagerTest, TilingActionsAndGridsTileTheFrontApplicationAsOneEntry) {
  auto a = addWindow({900, 100, 400, 300}, "A");
  auto b = addWindow({10, 100, 400, 300}, "B");
  manager.perform(WindowAction::tileAppColumns);
  EXPECT_EQ(logText(), entry("tileAppColumns Editor ×2\n" + okLine("(0,25 720×875)", "B") + "\n" +
                             okLine("(720,25 720×875)", "A")));
  // Rows order by the top edge, then the left: B (left 0) before A.
  manager.perform(WindowAction::tileAppRows);
  EXPECT_EQ(desktop.frame(b), (Rect{0, 25, 1440, 438}));
  EXPECT_EQ(desktop.frame(a), (Rect{0, 463, 1440, 437}));
  manager.applyGrid(3, 2);
  EXPECT_THAT(logText(), EndsWith(entry("grid 3×2 Editor ×2\n" + okLine("(0,25 480×438)", "B") +
                                        "\n" + okLine("(480,25 480×438)", "A"))));

  for (int i = 0; i < 3; ++i) manager.perform(WindowAction::undo);
  EXPECT_EQ(desktop.frame(a), (Rect{900, 100, 400, 300}));
  EXPECT_EQ(desktop.frame(b), (Rect{10, 100, 400, 300}));
  EXPECT_THAT(logText(), EndsWith(entry("undo: 창 2개 복원") + entry("undo: 창 2개 복원") +
                                  entry("undo: 창 2개 복원")));
}

}  // namespace
}  // namespace corvella
