// The running application's side of the control channel, on the simulated
// desktop: a request runs exactly as its shortcut would, and the answer
// carries the very entry the log took.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/control/control_handler.h"
#include "core/control/control_url_handler.h"
#include "core/hotkeys/linux_shortcut_text.h"
#include "core/hotkeys/shortcut.h"
#include "tests/core/app/app_test_harness.h"

namespace corvella {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

// Service masks: option 0x800, control 0x1000.
constexpr std::uint32_t controlOption = 0x1800;
constexpr std::uint32_t rightArrow = 124;
constexpr std::uint32_t key1 = 18;
constexpr const char* gridID = "AAAAAAAA-0000-4000-8000-000000000001";

// An answer that printed its output, and one that failed with its error.
ControlAnswer printed(std::string output) {
  return {ExitStatus::done, std::move(output), "", nullptr};
}
ControlAnswer failed(ExitStatus exit, std::string error) {
  return {exit, "", std::move(error), nullptr};
}

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

  ControlHandler handler{services, *delegate, ControlIdentity{"9.8.7", 4242, linuxShortcutText}};
};

TEST_F(ControlHandlerTest, RunAnswersWithTheEntryTheActionLoggedAndItsOutcome) {
  launch();
  focusedWindow({100, 100, 800, 600}, "Draft");
  // The visible frame is (0,25,1440,875) below the menu bar.
  const std::string ok = "  OK 목표=(0,25 720×875) 결과=(0,25 720×875) Draft";
  EXPECT_EQ(serve(RunRequest{WindowAction::leftHalf}), printed("leftHalf\n" + ok + "\n"));
  EXPECT_EQ(logMessages().back(), ok);
  EXPECT_EQ(serve(RunRequest{WindowAction::undo}), printed("undo: 창 1개 복원\n"));
  EXPECT_EQ(platform.desktop.frame(1), (Rect{100, 100, 800, 600}));

  // A refusal that is only a beep still gets a line.
  serve(RunRequest{WindowAction::redo});
  const int beeps = platform.desktop.beeps();
  EXPECT_EQ(serve(RunRequest{WindowAction::redo}),
            failed(ExitStatus::failed, "redo: the history is empty"));
  EXPECT_EQ(platform.desktop.beeps(), beeps + 1);
}

TEST_F(ControlHandlerTest, AGridBySizeOrByIdentifierTilesTheFrontApplication) {
  launch();
  platform.desktop.addWindow(7, {1000, 100, 300, 200}, "c");
  platform.desktop.addWindow(7, {0, 100, 300, 200}, "a");
  focusedWindow({500, 100, 300, 200}, "b");

  // Three columns of 480 on the visible frame, filled left to right.
  EXPECT_EQ(serve(GridSizeRequest{3, 1}),
            printed("grid 3×1 Editor ×3\n"
                    "  OK 목표=(0,25 480×875) 결과=(0,25 480×875) a\n"
                    "  OK 목표=(480,25 480×875) 결과=(480,25 480×875) b\n"
                    "  OK 목표=(960,25 480×875) 결과=(960,25 480×875) c\n"));
  EXPECT_THAT(serve(GridLayoutRequest{*UUID::parse(gridID)}).output,
              StartsWith("grid 3×2 Editor ×3\n  OK 목표=(0,25 480×438) "));

  const std::size_t logged = logMessages().size();
  EXPECT_EQ(serve(GridLayoutRequest{*UUID::parse("AAAAAAAA-0000-4000-8000-00000000000F")}),
            failed(ExitStatus::usage,
                   "no grid layout has the identifier AAAAAAAA-0000-4000-8000-00000000000F "
                   "(corvella list shows them)"));
  EXPECT_EQ(logMessages().size(), logged);
}

TEST_F(ControlHandlerTest, AnswerLineRefusesWhatIsNotARequestAndRunsWhatIs) {
  launch();
  EXPECT_EQ(decodeControlAnswer(handler.answerLine("{\"request\":\"run\"")),
            failed(ExitStatus::usage, "malformed request: one JSON object on one line expected"));
  focusedWindow({100, 100, 800, 600}, "Draft");
  EXPECT_EQ(decodeControlAnswer(handler.answerLine(R"({"request":"run","action":"topHalf"})")),
            printed("topHalf\n  OK 목표=(0,25 1440×438) 결과=(0,25 1440×438) Draft\n"));
}

TEST_F(ControlHandlerTest, ListAndStatusNameTheShortcutsAnotherProgramHolds) {
  // The window manager holds Ctrl+Alt+Right and Ctrl+Alt+1.
  platform.hotKeyService.occupyByAnotherApplication(rightArrow, controlOption);
  platform.hotKeyService.occupyByAnotherApplication(key1, controlOption);
  launch();

  // What each row says is laid out in control_answer_test; here, which
  // bindings the hot-key service refused.
  const ControlAnswer list = serve(ListRequest{});
  ASSERT_EQ(list.data["actions"].size(), 20u);
  EXPECT_EQ(list.data["actions"][8]["shortcut"], "Ctrl+Alt+Right");
  EXPECT_EQ(list.data["actions"][8]["registered"], false);
  EXPECT_EQ(list.data["grids"][0]["registered"], false);

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
  EXPECT_EQ(serve(StatusRequest{}).data["registered"], 21);
  EXPECT_TRUE(handler.refusedShortcuts().empty());
}

TEST_F(ControlHandlerTest, SettingsShowTheWindowOnlyWhereThereIsOne) {
  launch();
  EXPECT_EQ(serve(SettingsRequest{}),
            failed(ExitStatus::failed,
                   "the running Corvella has no settings window (started with --headless)"));
  EXPECT_EQ(delegate->settingsWindow(), nullptr);

  ControlHandler withWindow{services, *delegate,
                            ControlIdentity{"9.8.7", 4242, linuxShortcutText, true}};
  EXPECT_EQ(withWindow.serve(SettingsRequest{}), ControlAnswer{});
  ASSERT_NE(delegate->settingsWindow(), nullptr);
  EXPECT_TRUE(platform.settingsWindowUI.isVisible());
}

// Links opened with the application are served by the same handler, held
// until the launch has run, and logged as ignored when nothing can be served.
class ControlURLHandlerTest : public ::testing::Test, protected testing_support::AppHarness {
 protected:
  ControlHandler control{services, *delegate, ControlIdentity{"9.8.7", 4242, displayString, true}};
  ControlURLHandler links{control, services.log()};
};

TEST_F(ControlURLHandlerTest, LinksOpenedBeforeTheLaunchWaitForItAndRunInOrder) {
  const auto draft = addDraftWindow();
  links.open("corvella://run?action=maximize");
  links.open("corvella://run?action=leftHalf");
  EXPECT_EQ(platform.desktop.frame(draft), (Rect{100, 100, 800, 600}));
  EXPECT_TRUE(logMessages().empty());

  delegate->applicationDidFinishLaunching();
  links.launchFinished();
  // The visible frame is (0,25,1440,875) below the menu bar.
  EXPECT_EQ(platform.desktop.frame(draft), (Rect{0, 25, 720, 875}));
  EXPECT_THAT(logMessages(),
              ElementsAre("시작 — 권한=true 단축키 실패=0", "자동 업데이트 — 꺼짐(피드 주소 없음)",
                          "maximize", "  OK 목표=(0,25 1440×875) 결과=(0,25 1440×875) Draft",
                          "leftHalf", "  OK 목표=(0,25 720×875) 결과=(0,25 720×875) Draft"));

  // Once launched, a link runs at once; a second end of the launch serves nothing again.
  links.open("corvella://run?action=undo");
  links.launchFinished();
  EXPECT_EQ(platform.desktop.frame(draft), (Rect{0, 25, 1440, 875}));
  EXPECT_EQ(logMessages().back(), "undo: 창 1개 복원");
  EXPECT_EQ(logMessages().size(), 7u);
}

TEST_F(ControlURLHandlerTest, ALinkThatAsksForNothingServableIsLoggedAsIgnored) {
  const auto draft = addDraftWindow();
  // Refused at once, launched or not.
  links.open("corvella://run?action=LeftHalf%1B");
  delegate->applicationDidFinishLaunching();
  links.launchFinished();
  links.open("corvella://grid?size=0x3");
  // Well formed, but no stored layout has the identifier.
  links.open("corvella://grid?id=AAAAAAAA-0000-4000-8000-00000000000F");

  const auto logged = logMessages();
  ASSERT_EQ(logged.size(), 5u);
  EXPECT_EQ(logged[0], "URL 무시 — unknown action \"LeftHalf?\" (corvella list shows them)");
  EXPECT_EQ(logged[3],
            "URL 무시 — grid size \"0x3\" out of range: columns and rows go from 1 to 12");
  EXPECT_EQ(logged[4],
            "URL 무시 — no grid layout has the identifier AAAAAAAA-0000-4000-8000-00000000000F "
            "(corvella list shows them)");
  EXPECT_EQ(platform.desktop.frame(draft), (Rect{100, 100, 800, 600}));
  EXPECT_EQ(platform.desktop.beeps(), 0);
}

TEST_F(ControlURLHandlerTest, ListSpellsShortcutsWithTheMenuGlyphsOnTheMac) {
  // Another application holds control-option-right (service mask 0x1800).
  platform.hotKeyService.occupyByAnotherApplication(124, 0x1800);
  delegate->applicationDidFinishLaunching();
  // Columns line up by characters: the glyphs are three bytes each.
  const ControlAnswer list = control.serve(ListRequest{});
  EXPECT_EQ(list.data["actions"][18]["shortcut"], "⌥⌘A");
  EXPECT_THAT(list.output, HasSubstr("\n  nextThird" + std::string(8, ' ') +
                                     "⌃⌥→   Next Third  (not registered)\n"));
  EXPECT_THAT(list.output, HasSubstr("\n  larger" + std::string(11, ' ') + "⌃⌥⇧→  Larger\n"));
}

}  // namespace
}  // namespace corvella
