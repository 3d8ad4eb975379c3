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

class WindowManagerDispatchTest : public ::testing::Test, public fixtures::DesktopHarness {};

TEST_F(WindowManagerDispatchTest,
       WithoutPermissionActionsPromptAndLogTheirRefusalAndGridsOnlyPrompt) {
  auto id = addWindow(start, "Draft");
  manager.apply({{ax(id), {0, 25, 720, 875}}}, "leftHalf");
  const std::string before = logText();
  desktop.setTrusted(false);
  desktop.clearCalls();

  for (WindowAction action :
       {WindowAction::maximize, WindowAction::undo, WindowAction::tileAppColumns}) {
    manager.perform(action);
  }
  manager.applyGrid(3, 2);
  EXPECT_EQ(logText(), before + entry("권한 없음 — maximize 무시") +
                           entry("권한 없음 — undo 무시") +
                           entry("권한 없음 — tileAppColumns 무시"));
  EXPECT_EQ(desktop.promptsShown(), 4);
  EXPECT_EQ(desktop.beeps(), 0);
  EXPECT_EQ(desktop.frame(id), (Rect{0, 25, 720, 875}));
  EXPECT_EQ(manager.undoStack().size(), 1u) << "undo did not run";
  EXPECT_THAT(
      desktop.callTexts({SimPort::accessibility, SimPort::workspace, SimPort::screens}),
      ElementsAre("isProcessTrusted", "isProcessTrustedWithPrompt", "isProcessTrusted",
                  "isProcessTrustedWithPrompt", "isProcessTrusted", "isProcessTrustedWithPrompt",
                  "isProcessTrusted", "isProcessTrustedWithPrompt"));
}

TEST_F(WindowManagerDispatchTest, PlacementActionsMoveTheFocusedWindowUnderTheirRawValue) {
  // The primary 1440×900 screen below a 25-point menu bar: visible (0,25,1440,875).
  const std::pair<WindowAction, const char*> rows[] = {
      {WindowAction::leftHalf, "(0,25 720×875)"},
      {WindowAction::bottomHalf, "(0,463 1440×437)"},
      {WindowAction::upperRight, "(720,25 720×438)"},
      {WindowAction::nextThird, "(0,25 480×875)"},
      {WindowAction::center, "(320,163 800×600)"},
      {WindowAction::larger, "(284,141 872×644)"},
  };
  for (const auto& [action, frame] : rows) {
    fixtures::DesktopHarness fresh;
    fresh.addWindow({320, 163, 800, 600}, "Draft");
    fresh.manager.perform(action);
    const std::string raw(rawValue(action));
    EXPECT_EQ(fresh.logText(), entry(raw + "\n" + okLine(frame, "Draft")));
    EXPECT_EQ(fresh.manager.undoStack().size(), 1u) << raw;
  }
}

TEST_F(WindowManagerDispatchTest, APlacementAsksForTrustWindowFrameAndScreensInThatOrder) {
  addWindow({320, 163, 800, 600}, "Draft");
  desktop.clearCalls();
  manager.perform(WindowAction::leftHalf);
  auto calls = desktop.callTexts({SimPort::accessibility, SimPort::workspace, SimPort::screens});
  calls.resize(8);
  EXPECT_THAT(calls,
              ElementsAre("isProcessTrusted", "frontmostApplication", "createApplication app7",
                          "copy app7 AXFocusedWindow", "copy w1 AXPosition", "copy w1 AXSize",
                          "screens", "copy w1 AXPosition"));
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
  EXPECT_EQ(desktop.frame(panelId), (Rect{570, 363, 300, 200}));
  EXPECT_EQ(desktop.frame(main), start);
  EXPECT_EQ(logText(), entry("center\n" + okLine("(570,363 300×200)", "Find")));
}

TEST_F(WindowManagerDispatchTest, RefusedPlacementsLeaveTheWindowAndTheHistoryAlone) {
  using Arrange = std::function<void(sim::SimDesktop&, sim::SimWindowId)>;
  const struct {
    const char* name;
    Arrange arrange;
    WindowAction action;
    std::string log;
    int beeps;
  } cases[] = {
      {"no frontmost application",
       [](sim::SimDesktop& d, sim::SimWindowId) { d.setFrontmostApplication(std::nullopt); },
       WindowAction::center, entry("center: 초점 창 없음"), 1},
      {"nothing focused",
       [](sim::SimDesktop& d, sim::SimWindowId) { d.setFocusedWindow(editorPid, std::nullopt); },
       WindowAction::center, entry("center: 초점 창 없음"), 1},
      {"unreadable size",
       [](sim::SimDesktop& d, sim::SimWindowId id) { d.makeUnreadable(id, "AXSize"); },
       WindowAction::center, entry("center: 초점 창 없음"), 1},
      {"no screens", [](sim::SimDesktop& d, sim::SimWindowId) { d.setScreens({}); },
       WindowAction::maximize, "", 0},
      {"next display on one screen", [](sim::SimDesktop&, sim::SimWindowId) {},
       WindowAction::nextDisplay, "", 1},
      {"previous display on one screen", [](sim::SimDesktop&, sim::SimWindowId) {},
       WindowAction::previousDisplay, "", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fixtures::DesktopHarness fresh;
    auto id = fresh.addWindow(start, "Draft");
    c.arrange(fresh.desktop, id);
    fresh.manager.perform(c.action);
    EXPECT_EQ(fresh.logText(), c.log);
    EXPECT_EQ(fresh.desktop.beeps(), c.beeps);
    EXPECT_EQ(fresh.desktop.frame(id), start);
    EXPECT_TRUE(fresh.manager.undoStack().empty());
  }
}

TEST_F(WindowManagerDispatchTest, DisplayMovesCarryTheWindowBetweenTwoScreens) {
  desktop.setScreens(sim::sideBySideScreens());
  auto id = addWindow({0, 25, 720, 875}, "Draft");
  manager.perform(WindowAction::nextDisplay);
  // The second screen's visible frame is (1440,-155,1920,1055) in window space.
  EXPECT_EQ(logText(), entry("nextDisplay\n" + okLine("(1440,-155 960×1055)", "Draft")));
  manager.perform(WindowAction::previousDisplay);
  EXPECT_EQ(desktop.frame(id), (Rect{0, 25, 720, 875}));
}

TEST_F(WindowManagerDispatchTest, HistoryNeedsNoFocusedWindow) {
  auto id = addWindow(start, "Draft");
  manager.perform(WindowAction::leftHalf);
  desktop.setFrontmostApplication(std::nullopt);
  manager.perform(WindowAction::undo);
  EXPECT_EQ(desktop.frame(id), start);
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
