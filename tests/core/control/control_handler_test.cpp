// The running application's side of the control channel, on the simulated
// desktop: a request runs exactly as its shortcut would, and the answer
// carries the very entry the log took.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/control/control_handler.h"
#include "core/hotkeys/linux_shortcut_text.h"
#include "tests/core/app/app_test_harness.h"

namespace corvella {
namespace {

using ::testing::ElementsAre;
using ::testing::StartsWith;

// Service masks: option 0x800, control 0x1000.
constexpr std::uint32_t controlOption = 0x1800;
constexpr std::uint32_t rightArrow = 124;
constexpr std::uint32_t key1 = 18;
constexpr const char* gridID = "AAAAAAAA-0000-4000-8000-000000000001";

class ControlHandlerTest : public ::testing::Test, protected testing_support::AppHarness {
 protected:
  void SetUp() override {
    platform.desktop.addApplication(7, "Editor");
    platform.desktop.setFrontmostApplication(7);
  }
  // A 3×2 grid on control-option-1 (0xC0000 = 786432), then the launch.
  void launch() {
    platform.defaults.seedData(
        "gridLayouts",
        std::string(R"([{"id":")") + gridID +
            R"(","columns":3,"rows":2,"shortcut":{"keyCode":18,"modifiers":786432}},)"
            R"({"id":"AAAAAAAA-0000-4000-8000-000000000002","columns":2,"rows":2}])");
    delegate->applicationDidFinishLaunching();
  }
  sim::SimWindowId focusedWindow(const Rect& frame, std::string title) {
    auto id = platform.desktop.addWindow(7, frame, std::move(title));
    platform.desktop.setFocusedWindow(7, id);
    return id;
  }
  ControlAnswer serve(const ControlRequest& request) { return handler.serve(request); }
  // The last n messages of the log file.
  std::vector<std::string> lastLogLines(std::size_t n) {
    auto lines = logMessages();
    return {lines.end() - static_cast<long>(std::min(n, lines.size())), lines.end()};
  }

  ControlHandler handler{services, *delegate, ControlIdentity{"9.8.7", 4242, linuxShortcutText}};
};

TEST_F(ControlHandlerTest, RunAnswersWithTheEntryTheActionLoggedAndItsOutcome) {
  launch();
  focusedWindow({100, 100, 800, 600}, "Draft");

  // The visible frame is (0,25,1440,875) below the menu bar.
  const ControlAnswer moved = serve(RunRequest{WindowAction::leftHalf});
  EXPECT_EQ(moved.output, "leftHalf\n  OK 목표=(0,25 720×875) 결과=(0,25 720×875) Draft\n");
  EXPECT_EQ(moved.exit, ExitStatus::done);
  EXPECT_EQ(moved.error, "");
  EXPECT_THAT(lastLogLines(2),
              ElementsAre("leftHalf", "  OK 목표=(0,25 720×875) 결과=(0,25 720×875) Draft"));

  const ControlAnswer undone = serve(RunRequest{WindowAction::undo});
  EXPECT_EQ(undone.output, "undo: 창 1개 복원\n");
  EXPECT_EQ(undone.exit, ExitStatus::done);
  EXPECT_EQ(platform.desktop.frame(1), (Rect{100, 100, 800, 600}));

  // A refusal that is only a beep still gets a line.
  serve(RunRequest{WindowAction::redo});
  const int beeps = platform.desktop.beeps();
  const ControlAnswer nothing = serve(RunRequest{WindowAction::redo});
  EXPECT_EQ(nothing.output, "");
  EXPECT_EQ(nothing.exit, ExitStatus::failed);
  EXPECT_EQ(nothing.error, "redo: the history is empty");
  EXPECT_EQ(platform.desktop.beeps(), beeps + 1);
}

TEST_F(ControlHandlerTest, AGridBySizeOrByIdentifierTilesTheFrontApplication) {
  launch();
  platform.desktop.addWindow(7, {1000, 100, 300, 200}, "c");
  platform.desktop.addWindow(7, {0, 100, 300, 200}, "a");
  focusedWindow({500, 100, 300, 200}, "b");

  // Three columns of 480 on the visible frame, filled left to right.
  const ControlAnswer columns = serve(GridSizeRequest{3, 1});
  EXPECT_EQ(columns.output,
            "grid 3×1 Editor ×3\n"
            "  OK 목표=(0,25 480×875) 결과=(0,25 480×875) a\n"
            "  OK 목표=(480,25 480×875) 결과=(480,25 480×875) b\n"
            "  OK 목표=(960,25 480×875) 결과=(960,25 480×875) c\n");
  EXPECT_EQ(columns.exit, ExitStatus::done);

  const ControlAnswer stored = serve(GridLayoutRequest{*UUID::parse(gridID)});
  EXPECT_THAT(stored.output, StartsWith("grid 3×2 Editor ×3\n  OK 목표=(0,25 480×438) "));

  const std::size_t logged = logMessages().size();
  const ControlAnswer unknown =
      serve(GridLayoutRequest{*UUID::parse("AAAAAAAA-0000-4000-8000-00000000000F")});
  EXPECT_EQ(unknown.exit, ExitStatus::usage);
  EXPECT_EQ(unknown.error,
            "no grid layout has the identifier AAAAAAAA-0000-4000-8000-00000000000F (corvella "
            "list shows them)");
  EXPECT_EQ(logMessages().size(), logged);
}

TEST_F(ControlHandlerTest, AnswerLineRefusesWhatIsNotARequestAndRunsWhatIs) {
  launch();
  const auto refused = decodeControlAnswer(handler.answerLine("{\"request\":\"run\""));
  ASSERT_TRUE(refused.has_value());
  EXPECT_EQ(*refused, usageAnswer("malformed request: one JSON object on one line expected"));

  focusedWindow({100, 100, 800, 600}, "Draft");
  const auto ran =
      decodeControlAnswer(handler.answerLine(R"({"request":"run","action":"topHalf"})"));
  ASSERT_TRUE(ran.has_value());
  EXPECT_EQ(ran->output, "topHalf\n  OK 목표=(0,25 1440×438) 결과=(0,25 1440×438) Draft\n");
}

TEST_F(ControlHandlerTest, ListAndStatusNameTheShortcutsAnotherProgramHolds) {
  // The window manager holds Ctrl+Alt+Right and Ctrl+Alt+1.
  platform.hotKeyService.occupyByAnotherApplication(rightArrow, controlOption);
  platform.hotKeyService.occupyByAnotherApplication(key1, controlOption);
  launch();

  // What each row says is laid out in control_reports_test; here, which
  // bindings the hot-key service refused.
  const ControlAnswer list = serve(ListRequest{});
  EXPECT_EQ(list.exit, ExitStatus::done);
  ASSERT_EQ(list.data["actions"].size(), 20u);
  EXPECT_EQ(list.data["actions"][0]["registered"], true);
  EXPECT_EQ(list.data["actions"][8]["shortcut"], "Ctrl+Alt+Right");
  EXPECT_EQ(list.data["actions"][8]["registered"], false);
  EXPECT_EQ(list.data["grids"][0]["registered"], false);
  EXPECT_EQ(list.data["grids"][1]["shortcut"], nullptr);
  EXPECT_EQ(list.data["grids"][1]["title"], "4-way Split (2×2)");

  const ControlAnswer status = serve(StatusRequest{});
  EXPECT_EQ(status.output,
            "Corvella 9.8.7 is running (process 4242).\n"
            "Accessibility: allowed\n"
            "Shortcuts: 19 of 21 registered\n"
            "Held by another program (bind these commands to other keys):\n"
            "  Ctrl+Alt+Right  corvella run nextThird\n"
            "  Ctrl+Alt+1      corvella grid AAAAAAAA-0000-4000-8000-000000000001\n");
  // Freed and registered again (as after an edit of the grids): nothing is refused.
  platform.hotKeyService.releaseByAnotherApplication(rightArrow, controlOption);
  platform.hotKeyService.releaseByAnotherApplication(key1, controlOption);
  services.gridLayoutStore().setLayouts(services.gridLayoutStore().layouts());
  EXPECT_EQ(serve(StatusRequest{}).output,
            "Corvella 9.8.7 is running (process 4242).\n"
            "Accessibility: allowed\n"
            "Shortcuts: 21 of 21 registered\n");
  EXPECT_TRUE(handler.refusedShortcuts().empty());
}

TEST_F(ControlHandlerTest, SettingsShowTheWindowOnlyWhereThereIsOne) {
  launch();
  const ControlAnswer headless = serve(SettingsRequest{});
  EXPECT_EQ(headless.exit, ExitStatus::failed);
  EXPECT_EQ(headless.error,
            "the running Corvella has no settings window (started with --headless)");
  EXPECT_EQ(delegate->settingsWindow(), nullptr);

  ControlHandler withWindow{services, *delegate,
                            ControlIdentity{"9.8.7", 4242, linuxShortcutText, true}};
  EXPECT_EQ(withWindow.serve(SettingsRequest{}), ControlAnswer{});
  ASSERT_NE(delegate->settingsWindow(), nullptr);
  EXPECT_TRUE(platform.settingsWindowUI.isVisible());
}

}  // namespace
}  // namespace corvella
