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

using WindowManagerTest = fixtures::DesktopTest;

// The names and their order are pinned against corvella(1) in shortcut_test.
TEST(WindowActionCatalogue, RawValuesRoundTripExactlyAndKindsFollowTheOrder) {
  ASSERT_EQ(allWindowActions().size(), 20u);
  for (std::size_t i = 0; i < 20; ++i) {
    const WindowAction action = allWindowActions()[i];
    EXPECT_EQ(windowActionFromRawValue(rawValue(action)), action);
    // Placements come first, then undo and redo, then the two tilings.
    EXPECT_EQ(kind(action), i < 16   ? WindowActionKind::placement
                            : i < 18 ? WindowActionKind::history
                                     : WindowActionKind::appTiling);
  }
  for (const char* text : {"LeftHalf", "", "leftHalf "}) {
    EXPECT_FALSE(windowActionFromRawValue(text).has_value()) << '"' << text << '"';
  }
  // Frame texts drop fractions toward zero and never show a non-number.
  EXPECT_EQ(frameText({10.9, -3.7, 99.99, 0.5}), "(10,-3 99×0)");
  EXPECT_EQ(frameText({1e15 + 0.5, -0.5, 0, 0}), "(1000000000000000,0 0×0)");
  EXPECT_EQ(frameText({nan, inf, -inf, 1e300}), "(0,0 0×0)");  // an application can give anything
}

TEST_F(WindowManagerTest, ApplyReadsEveryWindowBeforeWritingAndRecordsWhatItRead) {
  auto first = addWindow(start, "A");
  auto second = addWindow({200, 200, 800, 600}, "B");
  desktop.clearCalls();
  manager.apply({{ax(first), leftHalf}, {ax(second), rightHalf}}, "tileAppColumns Editor ×2");

  // The snapshot is complete before the first write starts.
  const auto asked = calls();
  EXPECT_THAT(std::vector(asked.begin(), asked.begin() + 5),
              ElementsAre("copy w1 AXPosition", "copy w1 AXSize", "copy w2 AXPosition",
                          "copy w2 AXSize", "createApplication app7"));
  EXPECT_EQ(logText(), entry("tileAppColumns Editor ×2\n" + okLine("(0,25 720×875)", "A") + "\n" +
                             okLine("(720,25 720×875)", "B")));
  EXPECT_EQ(manager.undoStack(),
            (History{{{ax(first), start}, {ax(second), {200, 200, 800, 600}}}}));
}

TEST_F(WindowManagerTest, AFrameMoreThanFourPointsOffIsADifferenceAndAGoneWindowIsNil) {
  std::vector<WindowMove> moves;
  for (double minimumWidth : {724.0, 725.0}) {
    auto id = addWindow(start, "Draft");
    desktop.window(id).minimumSize = sim::SimSize{minimumWidth, 100};
    moves.push_back({ax(id), leftHalf});
  }
  // The snapshot reads position and size of the first three windows (and
  // only the position of the closed one); the third closes right after that.
  auto closesAfterSnapshot = addWindow({200, 200, 800, 600}, "Goes");
  auto closedBefore = addWindow({300, 300, 800, 600}, "Gone");
  desktop.closeWindow(closedBefore);
  desktop.closeWindowAfterCalls(closesAfterSnapshot, 7);
  moves.push_back({ax(closesAfterSnapshot), rightHalf});
  moves.push_back({ax(closedBefore), leftHalf});

  EXPECT_EQ(manager.apply(moves, "label"), ActionOutcome::applied(4, 1));

  EXPECT_EQ(logText(), entry("label\n"
                             "  OK 목표=(0,25 720×875) 결과=(0,25 724×875) Draft\n"
                             "  차이 목표=(0,25 720×875) 결과=(0,25 725×875) Draft\n"
                             "  차이 목표=(720,25 720×875) 결과=nil \n"
                             "  차이 목표=(0,25 720×875) 결과=nil "));
  EXPECT_EQ(manager.undoStack(), (History{{{moves[0].window, start},
                                           {moves[1].window, start},
                                           {ax(closesAfterSnapshot), {200, 200, 800, 600}}}}));
}

TEST_F(WindowManagerTest, TitlesAreCutThenEscapedAndANonNumberIsNeverWrittenBack) {
  // Forty characters are cut from the title as it is, then its controls are
  // escaped: the line grows past forty characters but stays one line.
  std::string title;
  for (int i = 0; i < 39; ++i) title += "e\u0301";
  auto id = addWindow(start, title + "\n2026-01-01T00:00:00Z 시작\x1b[2J");
  auto untitled = addWindow(start, "Draft");
  desktop.setAttributeOverride(untitled, "AXTitle", 42.0);  // not a text: the empty title
  desktop.setAttributeOverride(untitled, "AXPosition",
                               AXGeometryValue{AXGeometryValue::Kind::point, nan, inf});
  manager.apply({{ax(id), leftHalf}, {ax(untitled), leftHalf}}, "leftHalf");
  EXPECT_EQ(logText(), entry("leftHalf\n" + okLine("(0,25 720×875)", title + "\\n") +
                             "\n  차이 목표=(0,25 720×875) 결과=(0,0 720×875) "));

  // The snapshot holds the odd position; going back to it writes nothing.
  desktop.clearOverrides(untitled);
  desktop.clearCalls();
  manager.undo();
  for (const std::string& call : calls()) EXPECT_FALSE(call.starts_with("set w2")) << call;
  EXPECT_EQ(desktop.frame(untitled), leftHalf);
  EXPECT_EQ(desktop.frame(id), start);
}

TEST_F(WindowManagerTest, UndoAndRedoReplayTheNewestThirtyEntriesAsFreshSnapshots) {
  auto id = addWindow(start, "Draft");
  manager.apply({{ax(id), leftHalf}}, "leftHalf");
  manager.undo();
  EXPECT_EQ(desktop.frame(id), start);
  EXPECT_EQ(manager.redoStack(), (History{{{ax(id), leftHalf}}}));
  manager.redo();
  EXPECT_EQ(desktop.frame(id), leftHalf);
  EXPECT_EQ(manager.undoStack(), (History{{{ax(id), start}}}));
  EXPECT_TRUE(manager.redoStack().empty());

  // Every apply empties the redo stack; an empty stack beeps and logs nothing.
  manager.undo();
  manager.apply({{ax(id), rightHalf}}, "rightHalf");
  const std::string logged = logText();
  manager.redo();
  EXPECT_EQ(desktop.beeps(), 1);
  EXPECT_EQ(logText(), logged);
  // A window that closed is counted in the line but not restored.
  desktop.closeWindow(id);
  EXPECT_EQ(manager.undo(), ActionOutcome::restored(1));
  EXPECT_EQ(manager.redoStack(), History{HistoryEntry{}});
  EXPECT_EQ(manager.redo(), ActionOutcome::restored(0));
  EXPECT_THAT(logText(), EndsWith(entry("undo: 창 1개 복원") + entry("redo: 창 0개 복원")));
  auto other = addWindow({0, 25, 100, 100}, "Other");
  for (int i = 1; i <= 31; ++i) manager.apply({{ax(other), {i * 10.0, 25, 100, 100}}}, "move");
  // Thirty entries are kept: apply i recorded x = (i - 1) × 10, and the first is gone.
  ASSERT_EQ(manager.undoStack().size(), 30u);
  EXPECT_EQ(manager.undoStack().front()[0].frame, (Rect{10, 25, 100, 100}));
  for (int i = 0; i < 30; ++i) manager.undo();
  EXPECT_EQ(desktop.frame(other), (Rect{10, 25, 100, 100}));
}

TEST_F(WindowManagerTest, WithoutPermissionActionsPromptAndLogTheirRefusalAndGridsOnlyPrompt) {
  auto id = addWindow(start, "Draft");
  manager.apply({{ax(id), leftHalf}}, "leftHalf");
  const std::string before = logText();
  desktop.setTrusted(false);
  desktop.clearCalls();

  const auto refused = ActionOutcome::refused(ActionRefusal::notTrusted);
  EXPECT_EQ(manager.perform(WindowAction::maximize), refused);
  EXPECT_EQ(manager.perform(WindowAction::undo), refused);
  EXPECT_EQ(manager.perform(WindowAction::tileAppColumns), refused);
  EXPECT_EQ(manager.applyGrid(3, 2), refused);
  EXPECT_EQ(logText(), before + entry("권한 없음 — maximize 무시") +
                           entry("권한 없음 — undo 무시") +
                           entry("권한 없음 — tileAppColumns 무시"));
  std::vector<std::string> asked;
  for (int i = 0; i < 4; ++i)
    asked.insert(asked.end(), {"isProcessTrusted", "isProcessTrustedWithPrompt"});
  EXPECT_EQ(calls({SimPort::accessibility, SimPort::workspace, SimPort::screens}), asked);
  EXPECT_EQ(desktop.promptsShown(), 4);
  EXPECT_EQ(desktop.frame(id), leftHalf);
  EXPECT_EQ(manager.undoStack().size(), 1u) << "undo did not run";
}

TEST_F(WindowManagerTest, PlacementsMoveTheFocusedWindowEvenAPanelUnderTheirRawValue) {
  addWindow({320, 163, 800, 600}, "Draft");
  desktop.clearCalls();
  EXPECT_EQ(manager.perform(WindowAction::larger), ActionOutcome::applied(1, 1));
  // Five per cent of the primary 1440×900 screen's visible frame (0,25 1440×875).
  addFocusedPanel({10, 40, 300, 200}, "Find");
  manager.perform(WindowAction::center);
  EXPECT_EQ(logText(), entry("larger\n" + okLine("(284,141 872×644)", "Draft")) +
                           entry("center\n" + okLine("(570,363 300×200)", "Find")));
}

// Every refusal: its outcome, its log line or none, its beep or none, and
// the window and the history left alone.
TEST(Refusals, EachNamesItsReasonLogsOrBeepsAndMovesNothing) {
  using Arrange = std::function<void(fixtures::DesktopHarness&, sim::SimWindowId)>;
  const auto panelOnSecondScreen = [](fixtures::DesktopHarness& h, sim::SimWindowId) {
    h.desktop.setScreens(sim::sideBySideScreens());
    h.addFocusedPanel({2000, 300, 200, 100});
  };
  const auto frontApp = [](std::optional<std::string> name) {
    return [name](fixtures::DesktopHarness& h, sim::SimWindowId) {
      h.desktop.addApplication(8, name);
      h.desktop.setFrontmostApplication(8);
    };
  };
  // arrange, action (none: the 2×2 grid), logged, beeps, refusal.
  using Row = std::tuple<Arrange, std::optional<WindowAction>, std::string, int, ActionRefusal>;
  const Row cases[] = {
      {[](auto& h, auto id) { h.desktop.makeUnreadable(id, "AXSize"); }, WindowAction::leftHalf,
       entry("leftHalf: 초점 창 없음"), 1, ActionRefusal::noFocusedWindow},
      {[](auto& h, auto) { h.desktop.setScreens({}); }, WindowAction::maximize, "", 0,
       ActionRefusal::noScreen},
      {[](auto&, auto) {}, WindowAction::nextDisplay, "", 1, ActionRefusal::noOtherDisplay},
      {[](auto&, auto) {}, WindowAction::undo, "", 1, ActionRefusal::emptyHistory},
      {[](auto& h, auto) { h.desktop.setFrontmostApplication(std::nullopt); },
       WindowAction::tileAppRows, "", 0, ActionRefusal::noFrontApplication},
      {panelOnSecondScreen, WindowAction::tileAppRows, "", 1, ActionRefusal::noWindowOnScreen},
      {[](auto& h, auto) { h.desktop.setScreens({}); }, WindowAction::tileAppRows,
       entry("tileAppRows: Editor 창 없음"), 1, ActionRefusal::noWindows},
      {frontApp(std::nullopt), std::nullopt, entry("grid 2×2: ? 창 없음"), 1,
       ActionRefusal::noWindows},
      {frontApp("Evil\n2026-01-01T00:00:00Z 시작\x1b[0m"), WindowAction::tileAppRows,
       entry("tileAppRows: Evil\\n2026-01-01T00:00:00Z 시작\\x1B[0m 창 없음"), 1,
       ActionRefusal::noWindows},
  };
  for (const auto& [arrange, action, logged, beeps, refusal] : cases) {
    fixtures::DesktopHarness fresh;
    auto id = fresh.addWindow(start, "Draft");
    arrange(fresh, id);
    const ActionOutcome outcome =
        action ? fresh.manager.perform(*action) : fresh.manager.applyGrid(2, 2);
    const std::string name(action ? rawValue(*action) : "grid");
    EXPECT_EQ(outcome, ActionOutcome::refused(refusal)) << name;
    EXPECT_EQ(fresh.logText(), logged) << name;
    EXPECT_EQ(fresh.desktop.beeps(), beeps) << name;
    EXPECT_EQ(fresh.desktop.frame(id), start) << name;
    EXPECT_TRUE(fresh.manager.undoStack().empty()) << name;
  }
}

TEST_F(WindowManagerTest, DisplayMovesAndHistoryNeedTheirOwnInputsOnly) {
  desktop.setScreens(sim::sideBySideScreens());
  auto id = addWindow(leftHalf, "Draft");
  manager.perform(WindowAction::nextDisplay);
  manager.perform(WindowAction::previousDisplay);
  EXPECT_EQ(desktop.frame(id), leftHalf);

  // Undo and redo need no focused window.
  desktop.setFrontmostApplication(std::nullopt);
  manager.perform(WindowAction::undo);
  EXPECT_EQ(desktop.frame(id), (Rect{1440, -155, 960, 1055}));
  manager.perform(WindowAction::redo);
  EXPECT_EQ(desktop.frame(id), leftHalf);
}

}  // namespace
}  // namespace corvella
