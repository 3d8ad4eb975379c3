#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/control/control_handler.h"
#include "core/control/control_url_handler.h"
#include "core/hotkeys/linux_shortcut_text.h"
#include "core/hotkeys/shortcut.h"
#include "tests/core/app/app_test_harness.h"

namespace corvella {
namespace {

using ::testing::StartsWith;
using Strings = std::vector<std::string>;

using testing_support::gridID;

const auto printed = [](std::string o) { return ControlAnswer{ExitStatus::done, o, "", nullptr}; };
const auto failed = [](ExitStatus e, std::string why) { return ControlAnswer{e, "", why, {}}; };

// Requests and links are served by one handler; links are held until the
// launch has run, and logged as ignored when nothing can be served.
class ControlHandlerTest : public ::testing::Test, protected testing_support::AppHarness {
 protected:
  // The grid, then the launch.
  void launch() {
    storeOneGrid();
    delegate->applicationDidFinishLaunching();
  }
  ControlAnswer serve(const ControlRequest& request) { return handler.serve(request); }

  ControlHandler handler{services, *delegate, ControlIdentity{"9.8.7", 4242, linuxShortcutText}};
  ControlHandler withWindow{services, *delegate,
                            ControlIdentity{"9.8.7", 4242, displayString, true}};
  ControlURLHandler links{withWindow, services.log()};
};

TEST_F(ControlHandlerTest, RunAndGridAnswerWithTheEntriesTheyLoggedAndTheirOutcome) {
  launch();
  addDraftWindow();
  // The visible frame is (0,25,1440,875) below the menu bar.
  const std::string ok = "  OK 목표=(0,25 720×875) 결과=(0,25 720×875) Draft";
  EXPECT_EQ(serve(RunRequest{WindowAction::leftHalf}), printed("leftHalf\n" + ok + "\n"));
  EXPECT_EQ(logMessages().back(), ok);
  EXPECT_EQ(serve(RunRequest{WindowAction::undo}), printed("undo: 창 1개 복원\n"));
  // A refusal that is only a beep still gets a line.
  serve(RunRequest{WindowAction::redo});
  EXPECT_EQ(serve(RunRequest{WindowAction::redo}),
            failed(ExitStatus::failed, "redo: the history is empty"));
  EXPECT_EQ(platform.desktop.beeps(), 1);

  platform.desktop.addWindow(7, {1000, 100, 300, 200}, "c");
  platform.desktop.addWindow(7, {0, 100, 300, 200}, "a");
  // Three columns of 480 on the visible frame, filled in reading order: the
  // redone left half puts Draft's top edge (25) above the others' (100).
  EXPECT_EQ(serve(GridSizeRequest{3, 1}),
            printed("grid 3×1 Notes ×3\n"
                    "  OK 목표=(0,25 480×875) 결과=(0,25 480×875) Draft\n"
                    "  OK 목표=(480,25 480×875) 결과=(480,25 480×875) a\n"
                    "  OK 목표=(960,25 480×875) 결과=(960,25 480×875) c\n"));
  EXPECT_THAT(serve(GridLayoutRequest{*UUID::parse(gridID)}).output,
              StartsWith("grid 3×2 Notes ×3\n  OK 목표=(0,25 480×438) "));
  const std::size_t logged = logMessages().size();
  EXPECT_EQ(serve(GridLayoutRequest{*UUID::parse("AAAAAAAA-0000-4000-8000-00000000000F")}),
            failed(ExitStatus::usage,
                   "no grid layout has the identifier AAAAAAAA-0000-4000-8000-00000000000F "
                   "(corvella list shows them)"));
  EXPECT_EQ(logMessages().size(), logged);
  EXPECT_EQ(decodeControlAnswer(handler.answerLine("{\"request\":\"run\"")),
            failed(ExitStatus::usage, "malformed request: one JSON object on one line expected"));
}

TEST_F(ControlHandlerTest, ListAndStatusNameTheShortcutsAnotherProgramHoldsAndSettingsNeedAWindow) {
  // Another program holds Ctrl+Alt+Right and Ctrl+Alt+1 (service mask 0x1800).
  platform.hotKeyService.occupyByAnotherApplication(124, 0x1800);
  platform.hotKeyService.occupyByAnotherApplication(18, 0x1800);
  launch();
  // What each row says is laid out in control_answer_test; here, which
  // bindings the hot-key service refused, spelled by the handler's own texts.
  const ControlAnswer list = serve(ListRequest{});
  EXPECT_EQ(list.data["actions"][8]["shortcut"], "Ctrl+Alt+Right");
  EXPECT_EQ(withWindow.serve(ListRequest{}).data["actions"][8]["shortcut"], "⌃⌥→");
  EXPECT_TRUE(list.data["actions"][8]["registered"] == false &&
              list.data["grids"][0]["registered"] == false);
  EXPECT_EQ(serve(StatusRequest{}).output,
            "Corvella 9.8.7 is running (process 4242).\nAccessibility: allowed\n"
            "Shortcuts: 19 of 21 registered\n"
            "Held by another program (bind these commands to other keys):\n"
            "  Ctrl+Alt+Right  corvella run nextThird\n"
            "  Ctrl+Alt+1      corvella grid " +
                std::string(gridID) + "\n");
  // Freed and registered again (as after an edit of the grids): nothing is refused.
  platform.hotKeyService.releaseByAnotherApplication(124, 0x1800);
  platform.hotKeyService.releaseByAnotherApplication(18, 0x1800);
  services.gridLayoutStore().setLayouts(services.gridLayoutStore().layouts());
  EXPECT_TRUE(handler.refusedShortcuts().empty());
  EXPECT_EQ(serve(SettingsRequest{}),
            failed(ExitStatus::failed,
                   "the running Corvella has no settings window (started with --headless)"));
  EXPECT_EQ(delegate->settingsWindow(), nullptr);
  EXPECT_EQ(withWindow.serve(SettingsRequest{}), ControlAnswer{});
  EXPECT_TRUE(platform.settingsWindowUI.isVisible());
}

// A link that asks for nothing servable is logged as ignored, at once if it
// is malformed; the others wait for the launch and run in the order opened.
TEST_F(ControlHandlerTest, LinksOpenedBeforeTheLaunchWaitForItAndRunInOrder) {
  const auto draft = addDraftWindow();
  links.open("corvella://run?action=LeftHalf%1B");
  links.open("corvella://run?action=maximize");
  links.open("corvella://run?action=leftHalf");
  EXPECT_EQ(logMessages(),
            (Strings{"URL 무시 — unknown action \"LeftHalf?\" (corvella list shows them)"}));
  delegate->applicationDidFinishLaunching();
  links.launchFinished();
  EXPECT_EQ(platform.desktop.frame(draft), (Rect{0, 25, 720, 875}));
  // After the launch's own two entries, in the order opened.
  EXPECT_EQ(logMessages()[3], "maximize");
  // Once launched, a link runs at once; a second end of the launch serves nothing again.
  links.open("corvella://run?action=undo");
  links.launchFinished();
  EXPECT_EQ(platform.desktop.frame(draft), (Rect{0, 25, 1440, 875}));
  EXPECT_EQ(logMessages().size(), 8u);
  // Well formed, but no stored layout has the identifier.
  links.open("corvella://grid?id=AAAAAAAA-0000-4000-8000-00000000000F");
  EXPECT_EQ(logMessages().back(),
            "URL 무시 — no grid layout has the identifier AAAAAAAA-0000-4000-8000-00000000000F "
            "(corvella list shows them)");
  EXPECT_EQ(platform.desktop.frame(draft), (Rect{0, 25, 1440, 875}));
  EXPECT_EQ(platform.desktop.beeps(), 0);
}

}  // namespace
}  // namespace corvella
