// Links opened with the application, on the simulated desktop: served by the
// same handler as the control channel, held until the launch has run, and
// logged as ignored when they ask for nothing that can be served.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "core/control/control_handler.h"
#include "core/control/control_url_handler.h"
#include "core/hotkeys/shortcut.h"
#include "tests/core/app/app_test_harness.h"

namespace corvella {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

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

TEST_F(ControlURLHandlerTest, ARefusedActionSaysSoItselfAsItsShortcutWould) {
  platform.desktop.addApplication(7, "Notes");
  platform.desktop.setFrontmostApplication(7);
  delegate->applicationDidFinishLaunching();
  links.launchFinished();
  links.open("corvella://run?action=center");
  EXPECT_EQ(logMessages().back(), "center: 초점 창 없음");
  EXPECT_EQ(platform.desktop.beeps(), 1);

  links.open("corvella://settings");
  ASSERT_NE(delegate->settingsWindow(), nullptr);
  EXPECT_TRUE(platform.settingsWindowUI.isVisible());
}

TEST_F(ControlURLHandlerTest, StatusSpellsShortcutsWithTheMenuGlyphsOnTheMac) {
  // Another application holds control-option-right (service mask 0x1800).
  platform.hotKeyService.occupyByAnotherApplication(124, 0x1800);
  delegate->applicationDidFinishLaunching();
  const ControlAnswer status = control.serve(StatusRequest{});
  EXPECT_EQ(status.output,
            "Corvella 9.8.7 is running (process 4242).\n"
            "Accessibility: allowed\n"
            "Shortcuts: 19 of 20 registered\n"
            "Held by another program (bind these commands to other keys):\n"
            "  ⌃⌥→  corvella run nextThird\n");
  // Columns line up by characters: the glyphs are three bytes each.
  const ControlAnswer list = control.serve(ListRequest{});
  EXPECT_EQ(list.data["actions"][18]["shortcut"], "⌥⌘A");
  EXPECT_THAT(list.output, HasSubstr("\n  nextThird" + std::string(8, ' ') +
                                     "⌃⌥→   Next Third  (not registered)\n"));
  EXPECT_THAT(list.output, HasSubstr("\n  larger" + std::string(11, ' ') + "⌃⌥⇧→  Larger\n"));
}

}  // namespace
}  // namespace corvella
