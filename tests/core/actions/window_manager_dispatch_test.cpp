// perform and applyGrid: permission, focused window, screens, and the hand-over
// to apply, restore and the tiler.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "core/actions/window_manager.h"
#include "window_manager_test_desktop.h"

namespace corvella {
namespace {

using fixtures::stamp;
using sim::SimPort;
using ::testing::ElementsAre;

constexpr ProcessID editorPid = 7;

class WindowManagerDispatchTest : public ::testing::Test {
 protected:
  WindowManagerDispatchTest() {
    desktop.addApplication(editorPid, "Editor");
    desktop.setFrontmostApplication(editorPid);
  }

  sim::SimWindowId addWindow(const Rect& frame, std::string title) {
    return desktop.addWindow(editorPid, frame, std::move(title));
  }
  std::string entry(const std::string& message) { return std::string(stamp) + message + "\n"; }
  std::string okLine(const std::string& frame, const std::string& title) {
    return "  OK 목표=" + frame + " 결과=" + frame + " " + title;
  }

  fixtures::DesktopHarness harness;
  sim::SimDesktop& desktop = harness.desktop();
  WindowManager& manager = harness.manager;
};

TEST_F(WindowManagerDispatchTest, WithoutPermissionActionsPromptAndLogTheirRefusal) {
  auto id = addWindow({100, 100, 800, 600}, "Draft");
  manager.apply({{{desktop.windowElement(id), editorPid}, {0, 25, 720, 875}}}, "leftHalf");
  const std::string before = harness.logText();
  desktop.setTrusted(false);
  desktop.clearCalls();

  for (WindowAction action :
       {WindowAction::maximize, WindowAction::undo, WindowAction::tileAppColumns}) {
    manager.perform(action);
  }
  EXPECT_EQ(harness.logText(), before + entry("권한 없음 — maximize 무시") +
                                   entry("권한 없음 — undo 무시") +
                                   entry("권한 없음 — tileAppColumns 무시"));
  EXPECT_EQ(desktop.promptsShown(), 3);
  EXPECT_EQ(desktop.beeps(), 0);
  EXPECT_EQ(manager.undoStack().size(), 1u) << "undo did not run";
  EXPECT_THAT(
      desktop.callTexts({SimPort::accessibility, SimPort::workspace, SimPort::screens}),
      ElementsAre("isProcessTrusted", "isProcessTrustedWithPrompt", "isProcessTrusted",
                  "isProcessTrustedWithPrompt", "isProcessTrusted", "isProcessTrustedWithPrompt"));
}

TEST_F(WindowManagerDispatchTest, WithoutPermissionAGridOnlyPrompts) {
  auto id = addWindow({100, 100, 800, 600}, "Draft");
  desktop.setTrusted(false);
  manager.applyGrid(3, 2);
  EXPECT_EQ(desktop.promptsShown(), 1);
  EXPECT_FALSE(harness.logExists());
  EXPECT_EQ(desktop.beeps(), 0);
  EXPECT_EQ(desktop.frame(id), (Rect{100, 100, 800, 600}));
  EXPECT_TRUE(manager.undoStack().empty());
}

TEST_F(WindowManagerDispatchTest, PlacementActionsMoveTheFocusedWindowUnderTheirRawValue) {
  struct Row {
    WindowAction action;
    Rect target;
    const char* frameText;
  };
  // The primary 1440×900 screen below a 25-point menu bar: visible (0,25,1440,875).
  const Row rows[] = {
      {WindowAction::leftHalf, {0, 25, 720, 875}, "(0,25 720×875)"},
      {WindowAction::bottomHalf, {0, 463, 1440, 437}, "(0,463 1440×437)"},
      {WindowAction::upperRight, {720, 25, 720, 438}, "(720,25 720×438)"},
      {WindowAction::nextThird, {0, 25, 480, 875}, "(0,25 480×875)"},
      {WindowAction::center, {320, 163, 800, 600}, "(320,163 800×600)"},
      {WindowAction::larger, {284, 141, 872, 644}, "(284,141 872×644)"},
  };
  for (const Row& row : rows) {
    fixtures::DesktopHarness fresh;
    fresh.desktop().addApplication(editorPid, "Editor");
    fresh.desktop().setFrontmostApplication(editorPid);
    auto id = fresh.desktop().addWindow(editorPid, Rect{320, 163, 800, 600}, "Draft");
    fresh.manager.perform(row.action);
    const std::string raw(rawValue(row.action));
    EXPECT_EQ(fresh.desktop().frame(id), row.target) << raw;
    EXPECT_EQ(fresh.logText(), entry(raw + "\n" + okLine(row.frameText, "Draft")));
    EXPECT_EQ(fresh.manager.undoStack().size(), 1u) << raw;
  }
}

TEST_F(WindowManagerDispatchTest, APlacementAsksForTrustWindowFrameAndScreensInThatOrder) {
  addWindow({320, 163, 800, 600}, "Draft");
  desktop.clearCalls();
  manager.perform(WindowAction::leftHalf);
  auto calls = desktop.callTexts({SimPort::accessibility, SimPort::workspace, SimPort::screens});
  ASSERT_GE(calls.size(), 8u);
  EXPECT_THAT(std::vector<std::string>(calls.begin(), calls.begin() + 8),
              ElementsAre("isProcessTrusted", "frontmostApplication", "createApplication app7",
                          "copy app7 AXFocusedWindow", "copy w1 AXPosition", "copy w1 AXSize",
                          "screens", "copy w1 AXPosition"));
}

TEST_F(WindowManagerDispatchTest, APanelThatHasTheFocusIsTheWindowMoved) {
  auto main = addWindow({100, 100, 800, 600}, "Draft");
  sim::SimWindowSpec panel;
  panel.frame = {10, 40, 300, 200};
  panel.title = "Find";
  panel.subrole = "AXFloatingWindow";
  auto panelId = desktop.addWindow(editorPid, panel);
  desktop.setFocusedWindow(editorPid, panelId);
  manager.perform(WindowAction::center);
  EXPECT_EQ(desktop.frame(panelId), (Rect{570, 363, 300, 200}));
  EXPECT_EQ(desktop.frame(main), (Rect{100, 100, 800, 600}));
  EXPECT_EQ(harness.logText(), entry("center\n" + okLine("(570,363 300×200)", "Find")));
}

TEST_F(WindowManagerDispatchTest, WithoutAFocusedWindowThePlacementIsRefusedWithABeep) {
  struct Case {
    const char* name;
    std::function<void(sim::SimDesktop&, sim::SimWindowId)> arrange;
  };
  const Case cases[] = {
      {"no frontmost application",
       [](sim::SimDesktop& d, sim::SimWindowId) { d.setFrontmostApplication(std::nullopt); }},
      {"nothing focused",
       [](sim::SimDesktop& d, sim::SimWindowId) { d.setFocusedWindow(editorPid, std::nullopt); }},
      {"unreadable size",
       [](sim::SimDesktop& d, sim::SimWindowId id) { d.makeUnreadable(id, "AXSize"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fixtures::DesktopHarness fresh;
    fresh.desktop().addApplication(editorPid, "Editor");
    fresh.desktop().setFrontmostApplication(editorPid);
    auto id = fresh.desktop().addWindow(editorPid, Rect{100, 100, 800, 600}, "Draft");
    c.arrange(fresh.desktop(), id);
    fresh.manager.perform(WindowAction::center);
    EXPECT_EQ(fresh.logText(), entry("center: 초점 창 없음"));
    EXPECT_EQ(fresh.desktop().beeps(), 1);
    EXPECT_TRUE(fresh.manager.undoStack().empty());
  }
}

TEST_F(WindowManagerDispatchTest, WithoutScreensTheActionStopsSilently) {
  auto id = addWindow({100, 100, 800, 600}, "Draft");
  desktop.setScreens({});
  manager.perform(WindowAction::maximize);
  EXPECT_FALSE(harness.logExists());
  EXPECT_EQ(desktop.beeps(), 0);
  EXPECT_EQ(desktop.frame(id), (Rect{100, 100, 800, 600}));
  EXPECT_TRUE(manager.undoStack().empty());
}

TEST_F(WindowManagerDispatchTest, MovingToAnotherDisplayWithOneScreenOnlyBeeps) {
  auto id = addWindow({100, 100, 800, 600}, "Draft");
  manager.perform(WindowAction::nextDisplay);
  manager.perform(WindowAction::previousDisplay);
  EXPECT_EQ(desktop.beeps(), 2);
  EXPECT_FALSE(harness.logExists());
  EXPECT_EQ(desktop.frame(id), (Rect{100, 100, 800, 600}));
  EXPECT_TRUE(manager.undoStack().empty());
}

TEST_F(WindowManagerDispatchTest, NextDisplayCarriesTheWindowToTheSecondScreen) {
  desktop.setScreens(sim::sideBySideScreens());
  auto id = addWindow({0, 25, 720, 875}, "Draft");
  manager.perform(WindowAction::nextDisplay);
  // The second screen's visible frame is (1440,-155,1920,1055) in window space.
  EXPECT_EQ(desktop.frame(id), (Rect{1440, -155, 960, 1055}));
  EXPECT_EQ(harness.logText(), entry("nextDisplay\n" + okLine("(1440,-155 960×1055)", "Draft")));
  manager.perform(WindowAction::previousDisplay);
  EXPECT_EQ(desktop.frame(id), (Rect{0, 25, 720, 875}));
}

TEST_F(WindowManagerDispatchTest, HistoryNeedsNoFocusedWindow) {
  auto id = addWindow({100, 100, 800, 600}, "Draft");
  manager.perform(WindowAction::leftHalf);
  desktop.setFrontmostApplication(std::nullopt);
  manager.perform(WindowAction::undo);
  EXPECT_EQ(desktop.frame(id), (Rect{100, 100, 800, 600}));
  manager.perform(WindowAction::redo);
  EXPECT_EQ(desktop.frame(id), (Rect{0, 25, 720, 875}));
  manager.perform(WindowAction::redo);
  EXPECT_EQ(desktop.beeps(), 1) << "the redo stack is empty again";
  EXPECT_THAT(harness.logText(),
              ::testing::EndsWith(entry("undo: 창 1개 복원") + entry("redo: 창 1개 복원")));
}

TEST_F(WindowManagerDispatchTest, TilingActionsTileTheFrontApplication) {
  auto a = addWindow({900, 100, 400, 300}, "A");
  auto b = addWindow({10, 100, 400, 300}, "B");
  manager.perform(WindowAction::tileAppColumns);
  EXPECT_EQ(desktop.frame(b), (Rect{0, 25, 720, 875}));
  EXPECT_EQ(desktop.frame(a), (Rect{720, 25, 720, 875}));
  EXPECT_EQ(harness.logText(), entry("tileAppColumns Editor ×2\n" + okLine("(0,25 720×875)", "B") +
                                     "\n" + okLine("(720,25 720×875)", "A")));

  manager.perform(WindowAction::tileAppRows);
  // Rows order by the top edge, then the left: B (left 0) before A.
  EXPECT_EQ(desktop.frame(b), (Rect{0, 25, 1440, 438}));
  EXPECT_EQ(desktop.frame(a), (Rect{0, 463, 1440, 437}));
  EXPECT_EQ(manager.undoStack().size(), 2u);
  manager.perform(WindowAction::undo);
  manager.perform(WindowAction::undo);
  EXPECT_EQ(desktop.frame(a), (Rect{900, 100, 400, 300}));
  EXPECT_EQ(desktop.frame(b), (Rect{10, 100, 400, 300}));
  EXPECT_THAT(harness.logText(),
              ::testing::EndsWith(entry("undo: 창 2개 복원") + entry("undo: 창 2개 복원")));
}

TEST_F(WindowManagerDispatchTest, AGridIsLabelledWithItsColumnsAndRows) {
  auto a = addWindow({100, 100, 400, 300}, "A");
  auto b = addWindow({600, 100, 400, 300}, "B");
  manager.applyGrid(3, 2);
  EXPECT_EQ(desktop.frame(a), (Rect{0, 25, 480, 438}));
  EXPECT_EQ(desktop.frame(b), (Rect{480, 25, 480, 438}));
  EXPECT_EQ(harness.logText(), entry("grid 3×2 Editor ×2\n" + okLine("(0,25 480×438)", "A") + "\n" +
                                     okLine("(480,25 480×438)", "B")));
  EXPECT_EQ(desktop.promptsShown(), 0);
}

}  // namespace
}  // namespace corvella
