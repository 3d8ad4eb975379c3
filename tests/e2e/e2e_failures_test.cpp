// What goes wrong on a real desktop: a combination another client holds, a
// minimum size, a window gone during a tiling or before its undo, a lost server.

#include "e2e_fixture.h"

namespace corvella::e2e {
namespace {

using namespace keys;

using FailuresTest = DesktopTest;

TEST_F(FailuresTest, EachFailureIsLoggedAsItHappenedAndCorvellaRunsOnUntilTheServerGoes) {
  ChildProcess* const clients[] = {
      session->startTestClient({"title=Stubborn;size=950x750;at=100,50;min=900x700"}),
      session->startTestClient({"title=Stay1;size=300x200;at=10,10;class=V",
                                "title=Gone;size=300x200;at=400,10;vanish;class=V",
                                "title=Stay2;size=300x200;at=800,10;class=V"})};
  for (ChildProcess* client : clients) ASSERT_NE(client, nullptr) << session->why();
  // Super+Alt+F, the maximize shortcut, taken before corvella starts.
  ASSERT_TRUE(session->grabKey(f, XCB_MOD_MASK_4 | XCB_MOD_MASK_1));
  startCorvella();
  EXPECT_EQ(session->logEntries(),
            (std::vector<std::string>{"단축키 등록 실패 1개 — 다른 앱이 같은 조합을 쓰는 중",
                                      "시작 — 권한=true 단축키 실패=1",
                                      "자동 업데이트 — 꺼짐(피드 주소 없음)"}));

  // The client may not be narrower than 900: the frame adds the decorations.
  const xcb_window_t stubborn = *session->windowTitled("Stubborn");
  ASSERT_TRUE(session->activate(stubborn));
  const FrameExtents extents = session->frameExtents(stubborn);
  const Frame kept{0, 0, 900 + extents.left + extents.right, 900};
  EXPECT_EQ(session->pressForEntry({super, alt, left}),
            "leftHalf\n" + moveLine(false, {0, 0, 720, 900}, logText(kept), "Stubborn"));
  EXPECT_EQ(session->outerFrame(stubborn), kept);
  // Its previous frame is still on the undo stack.
  EXPECT_EQ(session->pressForEntry({super, alt, z}), "undo: 창 1개 복원");

  // The window goes away as the window manager resizes it: the read-back
  // finds it either already gone or just moved, depending on who is first.
  ASSERT_TRUE(session->activate(*session->windowTitled("Stay1")));
  const std::string entry = session->pressForEntry({super, alt, a});
  const Frame gone{480, 0, 480, 900};
  const std::string head = "tileAppColumns V ×3\n" + okLine({0, 0, 480, 900}, "Stay1") + "\n";
  const std::string tail = "\n" + okLine({960, 0, 480, 900}, "Stay2");
  EXPECT_TRUE(entry == head + moveLine(false, gone, "nil", "") + tail ||
              entry == head + okLine(gone, "Gone") + tail)
      << entry;
  EXPECT_FALSE(session->windowTitled("Gone").has_value());
  // Its undo counts it and moves nothing.
  EXPECT_EQ(session->pressForEntry({super, alt, z}), "undo: 창 3개 복원");

  session->stopServer();
  // The test's own connection is gone too; the process's end is what is waited for.
  const auto status = session->waitForCorvella();
  EXPECT_EQ(session->logEntries().back(), "X 서버 연결 끊김 — 종료");
  ASSERT_TRUE(status.has_value());
  EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 1) << session->corvellaOutput();
}

}  // namespace
}  // namespace corvella::e2e
