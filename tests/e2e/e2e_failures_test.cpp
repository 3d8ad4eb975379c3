// What goes wrong on a real desktop: a window with a minimum size, a
// combination another client holds, windows that disappear, no window at all
// and a lost X server.
#include <sys/wait.h>

#include "e2e_fixture.h"

namespace corvella::e2e {
namespace {

using namespace keys;

using FailuresTest = DesktopTest;

TEST_F(FailuresTest, AWindowKeepingAMinimumSizeIsLoggedWithItsRealFrameAndFailsARun) {
  startFocused({"title=Stubborn;size=950x750;at=100,50;min=900x700"}, "Stubborn");
  const FrameExtents extents = session->frameExtents(focusedWindow);
  // The client may not be narrower than 900: the frame adds the decorations.
  const Frame kept{0, 0, 900 + extents.left + extents.right, 900};
  EXPECT_EQ(session->pressForEntry({super, alt, left}),
            "leftHalf\n" + moveLine(false, {0, 0, 720, 900}, logText(kept), "Stubborn"));
  EXPECT_EQ(session->outerFrame(focusedWindow), kept);
  // Its previous frame is still on the undo stack.
  EXPECT_EQ(session->pressForEntry({super, alt, z}), "undo: 창 1개 복원");

  // Through the command line, the same entry and a failed run.
  const CommandResult run = session->runCorvella({"run", "leftHalf"});
  EXPECT_EQ(run.exitCode(), 1);
  EXPECT_EQ(run.output,
            "leftHalf\n" + moveLine(false, {0, 0, 720, 900}, logText(kept), "Stubborn") + "\n");
  EXPECT_EQ(run.error, "corvella: leftHalf: the window did not reach its target\n");
}

TEST_F(FailuresTest, ACombinationHeldByAnotherClientIsCountedAndTheRestStillWork) {
  ASSERT_NE(session->startTestClient({"title=Alpha;size=400x300;at=100,80"}), nullptr);
  // Super+Alt+Left, the left-half shortcut, taken before corvella starts.
  ASSERT_TRUE(session->grabKey(left, XCB_MOD_MASK_4 | XCB_MOD_MASK_1));
  startCorvella();
  EXPECT_EQ(session->logEntries(),
            (std::vector<std::string>{"단축키 등록 실패 1개 — 다른 앱이 같은 조합을 쓰는 중",
                                      "시작 — 권한=true 단축키 실패=1",
                                      "자동 업데이트 — 꺼짐(피드 주소 없음)"}));
  EXPECT_EQ(session->pressForEntry({super, alt, right}),
            okEntry("rightHalf", {{{720, 0, 720, 900}, "Alpha"}}));
}

TEST_F(FailuresTest, UndoAndRedoOfAWindowThatWasClosedCountButMoveNothing) {
  startFocused({"title=Brief;size=400x300;at=100,80"}, "Brief");
  ASSERT_EQ(session->pressForEntry({super, alt, left}).substr(0, 9), "leftHalf\n");
  const pid_t pid = focusedClient->pid();
  focusedClient->stop(SIGKILL);
  ASSERT_TRUE(session->waitUntil([&] { return session->managedWindowsOf(pid).empty(); }));

  EXPECT_EQ(session->pressForEntry({super, alt, z}), "undo: 창 1개 복원");
  EXPECT_EQ(session->pressForEntry({super, alt, shift, z}), "redo: 창 0개 복원");
  EXPECT_TRUE(session->corvellaRunning());
}

TEST_F(FailuresTest, AWindowVanishingDuringATilingLeavesTheOthersArranged) {
  startFocused({"title=Stay1;size=300x200;at=10,10", "title=Gone;size=300x200;at=400,10;vanish",
                "title=Stay2;size=300x200;at=800,10"},
               "Stay1");
  const std::string entry = session->pressForEntry({super, alt, a});
  const Frame stay1{0, 0, 480, 900}, gone{480, 0, 480, 900}, stay2{960, 0, 480, 900};
  // The window goes away as the window manager resizes it: the read-back
  // finds it either already gone or just moved, depending on who is first.
  const std::string head = "tileAppColumns TestClient ×3\n" + okLine(stay1, "Stay1") + "\n";
  const std::string tail = "\n" + okLine(stay2, "Stay2");
  EXPECT_TRUE(entry == head + moveLine(false, gone, "nil", "") + tail ||
              entry == head + okLine(gone, "Gone") + tail)
      << entry;
  EXPECT_FALSE(session->windowTitled("Gone").has_value());
  EXPECT_EQ(session->pressForEntry({super, alt, z}), "undo: 창 3개 복원");
}

TEST_F(FailuresTest, WithoutAnyWindowAnActionBeepsAndLosingTheXServerEndsCorvella) {
  startCorvella();
  const int bells = session->bells();
  EXPECT_EQ(session->pressForEntry({super, alt, c}), "center: 초점 창 없음");
  EXPECT_TRUE(session->waitUntil([&] { return session->bells() == bells + 1; }));

  session->stopServer();
  // The test's own connection is gone too; the process's end is what is waited for.
  const auto status = session->waitForCorvella();
  EXPECT_EQ(session->logEntries().back(), "X 서버 연결 끊김 — 종료");
  ASSERT_TRUE(status.has_value());
  EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 1) << session->corvellaOutput();
}

}  // namespace
}  // namespace corvella::e2e
