// A window manager that stops answering (here: openbox held by SIGSTOP) costs
// one action half a second in all, however many windows it moves: the moves
// are sent, the frames not yet handled are logged as not reached, and the
// next shortcut is answered as soon as it is pressed.
#include <signal.h>

#include <string>
#include <vector>

#include "e2e_fixture.h"

namespace corvella::e2e {
namespace {

using namespace keys;

// Openbox stopped for as long as this lives.
class StoppedWindowManager {
 public:
  explicit StoppedWindowManager(pid_t pid) : pid_(pid) { ::kill(pid_, SIGSTOP); }
  ~StoppedWindowManager() { resume(); }
  StoppedWindowManager(const StoppedWindowManager&) = delete;
  StoppedWindowManager& operator=(const StoppedWindowManager&) = delete;
  void resume() {
    if (pid_ > 0) ::kill(pid_, SIGCONT);
    pid_ = -1;
  }

 private:
  pid_t pid_;
};

using SlowWindowManagerTest = DesktopTest;

TEST_F(SlowWindowManagerTest, ATilingWaitsOnceForAllItsWindowsAndTheNextShortcutIsAnswered) {
  std::vector<std::string> windows, titles;
  for (int i = 0; i < 6; ++i) {
    titles.push_back("W" + std::to_string(i));
    windows.push_back("title=" + titles.back() +
                      ";size=200x150;at=" + std::to_string(20 + 200 * i) + ",100");
  }
  startFocused(windows, "W0");

  StoppedWindowManager stopped(session->windowManagerPid());
  // Openbox may have been stopped in the middle of moving the focus (it
  // still settles the windows it has just mapped); the active window is
  // set as it would have left it.
  const xcb_window_t w0 = focusedWindow;
  xcb_change_property(session->xcb(), XCB_PROP_MODE_REPLACE, session->root(),
                      session->atom("_NET_ACTIVE_WINDOW"), XCB_ATOM_WINDOW, 32, 1, &w0);
  ASSERT_TRUE(session->waitUntil([&] { return session->activeWindow() == w0; }));
  // Six columns of 240 on the 1440×900 screen; no answer, so no frame is known.
  std::string expected = "tileAppColumns TestClient ×6";
  for (int i = 0; i < 6; ++i) {
    expected += "\n" + moveLine(false, {240 * i, 0, 240, 900}, "nil", titles[i]);
  }
  EXPECT_EQ(session->pressForEntry({super, alt, a}), expected);
  EXPECT_EQ(session->pressForEntry({super, alt, left}),
            "leftHalf\n" + moveLine(false, {0, 0, 720, 900}, "nil", "W0"));

  // The moves were sent: once it runs again, the window manager makes them
  // (their ConfigureNotify events wake the wait below).
  const std::uint32_t structure = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
  for (const char* title : {"W0", "W5"}) {
    xcb_change_window_attributes(session->xcb(), *session->windowTitled(title), XCB_CW_EVENT_MASK,
                                 &structure);
  }
  stopped.resume();
  EXPECT_TRUE(session->waitUntil([&] {
    return session->outerFrame(*session->windowTitled("W0")) == Frame{0, 0, 720, 900} &&
           session->outerFrame(*session->windowTitled("W5")) == Frame{1200, 0, 240, 900};
  }));
  // And with an answering window manager the frames are read back again.
  ASSERT_TRUE(session->activate(w0));
  EXPECT_EQ(session->pressForEntry({super, alt, right}),
            okEntry("rightHalf", {{{720, 0, 720, 900}, "W0"}}));
}

}  // namespace
}  // namespace corvella::e2e
