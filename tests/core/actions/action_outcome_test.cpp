// What perform and applyGrid report: one outcome for each way an action can
// end, next to the log and the beep that tell the user the same.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/actions/window_manager.h"
#include "window_manager_test_desktop.h"

namespace corvella {

// Outcomes in failure messages.
void PrintTo(const ActionOutcome& outcome, std::ostream* out) {
  *out << "kind " << static_cast<int>(outcome.kind) << " moves " << outcome.moves << " reached "
       << outcome.reached << " refusal " << static_cast<int>(outcome.refusal);
}

namespace {

using fixtures::editorPid;

struct OutcomeDesktop : fixtures::DesktopHarness {
  sim::SimWindowId focusedWindow(const Rect& frame, std::string title = "Draft") {
    auto id = addWindow(frame, std::move(title));
    desktop.setFocusedWindow(editorPid, id);
    return id;
  }
};

class ActionOutcomeTest : public ::testing::Test, public OutcomeDesktop {};

TEST_F(ActionOutcomeTest, APlacementReportsHowManyWindowsTookTheirTarget) {
  auto id = focusedWindow({100, 100, 800, 600});
  EXPECT_EQ(manager.perform(WindowAction::leftHalf), ActionOutcome::applied(1, 1));

  // A window that keeps a minimum width of 900 cannot become 720 wide.
  desktop.window(id).minimumSize = sim::SimSize{900, 100};
  EXPECT_EQ(manager.perform(WindowAction::rightHalf), ActionOutcome::applied(1, 0));
  desktop.window(id).refusesFrameWrites = true;
  EXPECT_EQ(manager.perform(WindowAction::maximize), ActionOutcome::applied(1, 0));
}

TEST_F(ActionOutcomeTest, UndoAndRedoReportTheWindowsOfTheEntryTheyReplay) {
  EXPECT_EQ(manager.perform(WindowAction::undo),
            ActionOutcome::refused(ActionRefusal::emptyHistory));
  EXPECT_EQ(manager.perform(WindowAction::redo),
            ActionOutcome::refused(ActionRefusal::emptyHistory));
  addWindow({0, 25, 300, 200}, "a");
  addWindow({400, 25, 300, 200}, "b");
  auto c = focusedWindow({800, 25, 300, 200}, "c");
  EXPECT_EQ(manager.perform(WindowAction::tileAppRows), ActionOutcome::applied(3, 3));
  // A window closed since still counts, as the log line counts it.
  desktop.closeWindow(c);
  EXPECT_EQ(manager.perform(WindowAction::undo), ActionOutcome::restored(3));
  EXPECT_EQ(manager.perform(WindowAction::redo), ActionOutcome::restored(2));
}

struct Refusal {
  std::string situation;
  std::function<void(OutcomeDesktop&)> arrange;
  std::function<ActionOutcome(WindowManager&)> run;
  ActionRefusal expected;
};

TEST_F(ActionOutcomeTest, EveryRefusalNamesItsReason) {
  auto perform = [](WindowAction action) {
    return [action](WindowManager& target) { return target.perform(action); };
  };
  const std::vector<Refusal> rows{
      {"not trusted, action", [](auto& t) { t.desktop.setTrusted(false); },
       perform(WindowAction::leftHalf), ActionRefusal::notTrusted},
      {"not trusted, history", [](auto& t) { t.desktop.setTrusted(false); },
       perform(WindowAction::undo), ActionRefusal::notTrusted},
      {"not trusted, grid", [](auto& t) { t.desktop.setTrusted(false); },
       [](WindowManager& target) { return target.applyGrid(3, 2); }, ActionRefusal::notTrusted},
      {"no focused window", [](auto&) {}, perform(WindowAction::center),
       ActionRefusal::noFocusedWindow},
      {"focused window unreadable",
       [](auto& t) {
         t.desktop.makeUnreadable(t.focusedWindow({0, 25, 300, 200}), "AXSize");
       },
       perform(WindowAction::leftHalf), ActionRefusal::noFocusedWindow},
      {"no screens",
       [](auto& t) {
         t.focusedWindow({0, 25, 300, 200});
         t.desktop.setScreens({});
       },
       perform(WindowAction::leftHalf), ActionRefusal::noScreen},
      {"one display",
       [](auto& t) {
         t.focusedWindow({0, 25, 300, 200});
       },
       perform(WindowAction::previousDisplay), ActionRefusal::noOtherDisplay},
      {"no front application", [](auto& t) { t.desktop.setFrontmostApplication(std::nullopt); },
       perform(WindowAction::tileAppColumns), ActionRefusal::noFrontApplication},
      {"an application without windows", [](auto&) {},
       [](WindowManager& target) { return target.applyGrid(2, 2); }, ActionRefusal::noWindows},
      {"windows on another screen only",
       [](auto& t) {
         t.desktop.setScreens(sim::sideBySideScreens());
         t.addWindow({1500, 100, 300, 200}, "far");
         sim::SimWindowSpec panel;
         panel.frame = {100, 100, 200, 100};
         panel.subrole = "AXFloatingWindow";
         t.desktop.setFocusedWindow(editorPid, t.desktop.addWindow(editorPid, panel));
       },
       perform(WindowAction::tileAppRows), ActionRefusal::noWindowOnScreen},
  };
  for (const Refusal& row : rows) {
    OutcomeDesktop fresh;
    row.arrange(fresh);
    EXPECT_EQ(row.run(fresh.manager), ActionOutcome::refused(row.expected)) << row.situation;
  }
}

TEST_F(ActionOutcomeTest, AGridReportsTheWindowsItMovedNotTheOnesLeftOver) {
  for (int i = 0; i < 7; ++i) addWindow({100.0 + 10 * i, 100, 300, 200});
  EXPECT_EQ(manager.applyGrid(3, 2), ActionOutcome::applied(6, 6));
  // A hand-edited layout without cells moves nothing at all.
  EXPECT_EQ(manager.applyGrid(0, 3), ActionOutcome::applied(0, 0));
}

}  // namespace
}  // namespace corvella
