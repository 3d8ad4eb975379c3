// perform and applyGrid: permission, focused window, screens, and the hand-over
// to apply, restore and the tiler.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/actions/window_manager.h"
#include "window_manager_test_desktop.h"

namespace corvella {
namespace {

using fixtures::editorPid;
using fixtures::entry;
using fixtures::okLine;
using sim::SimPort;
using ::testing::ElementsAre;
using ::testing::EndsWith;

const Rect start{100, 100, 800, 600};

class WindowManagerDispatchTest : public ::testing::Test, public fixtures::DesktopHarness {
 protected:
  std::vector<std::string> calls() {
    return desktop.callTexts({SimPort::accessibility, SimPort::workspace, SimPort::screens});
  }
};

TEST_F(WindowManagerDispatchTest,
       WithoutPermissionActionsPromptAndLogTheirRefusalAndGridsOnlyPrompt) {
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

TEST_F(WindowManagerDispatchTest, PlacementsMoveTheFocusedWindowUnderTheirRawValue) {
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

TEST_F(WindowManagerDispatchTest, APanelThatHasTheFocusIsTheWindowMoved) {
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

TEST_F(WindowManagerDispatchTest, RefusedPlacementsLeaveTheWindowAndTheHistoryAlone) {
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

TEST_F(WindowManagerDispatchTest, DisplayMovesAndHistoryNeedTheirOwnInputsOnly) {
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

TEST_F(WindowManagerDispatchTest, TilingActionsAndGridsTileTheFrontApplicationAsOneEntry) {
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
