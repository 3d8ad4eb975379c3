// What one action costs on the X connection, counted exactly: the requests the shell sends and the
// round trips it waits for (the window manager's answer to a placement included), with the core and
// the X11 ports in this process against a real Xvfb and openbox. The counts keep a shortcut from
// sliding back into asking the server what it already told us. Also what is remembered between
// actions is forgotten when the desktop changes.
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/app/corvella.h"
#include "in_process_platform.h"
#include "platform/x11/x11_platform.h"

namespace corvella::e2e {
namespace {

// Requests sent, and round trips waited for.
using Cost = std::pair<std::uint64_t, std::uint64_t>;

class RequestBudgetTest : public InProcessDesktopTest {
 protected:
  void SetUp() override {
    InProcessDesktopTest::SetUp();
    if (HasFatalFailure()) return;
    app = std::make_unique<Corvella>(platform->services());
    auto& connection = platform->connection();
    connection.addEventObserver([this, &connection](const xcb_generic_event_t& event) {
      const auto& notify = reinterpret_cast<const xcb_property_notify_event_t&>(event);
      const bool rootProperty =
          x11::eventType(event) == XCB_PROPERTY_NOTIFY && notify.window == connection.root();
      if (rootProperty) ++rootChanges;
      if (rootProperty || x11::eventType(event) == XCB_CONFIGURE_NOTIFY) ++changesSeen;
    });
  }

  // One action as the main loop runs it: a piece of work of its own. The window manager may still
  // finish earlier work (publish its lists, move the focus) while the action runs, which rightly
  // costs more: such an action is measured again, after that work.
  Cost costOf(WindowAction action) {
    Cost cost;
    for (int attempt = 0; attempt < 5; ++attempt) {
      const int before = rootChanges;
      cost = costOnce(action);
      if (rootChanges == before) return cost;
      settle();
    }
    ADD_FAILURE() << "the desktop kept changing during the action";
    return cost;
  }
  // The first actions on a new desktop learn what it is; the window manager may still be setting it
  // up (publishing lists, moving the focus) after the first, which the second then learns.
  void warmUp(WindowAction action) {
    for (int i = 0; i < 2; ++i) {
      costOnce(action);
      settle();
    }
  }
  Cost costOnce(WindowAction action) {
    auto& connection = platform->connection();
    const std::uint64_t sequence = connection.nextSequence();
    const std::uint64_t roundTrips = connection.roundTrips();
    app->services().windowManager().perform(action);
    platform->finishWork();
    // The request that tells the sequence number is not the action's.
    return {connection.nextSequence() - sequence - 1, connection.roundTrips() - roundTrips};
  }

  // Returns once the window manager has handled everything this process sent it (it answers its
  // messages in order) and every event that caused has been read, as the main loop would have read
  // them between two presses. Some of its work ends later (the focus moves, a new window's lists
  // are published): until a round sees no root property and no window change.
  void settle() {
    for (int round = 0; round < 20; ++round) {
      const int before = changesSeen;
      settleOnce();
      if (changesSeen == before) return;
    }
    ADD_FAILURE() << "the desktop kept changing";
  }
  void settleOnce() {
    platform->connection().sync();  // all this process sent is with the server
    EXPECT_TRUE(session->windowManagerAnswers()) << "the window manager did not answer";
    platform->connection().sync();
    platform->mainLoop().dispatchEvents();
  }

  std::vector<PlatformScreen> screens() {
    auto result = platform->services().screens.screens();
    platform->finishWork();
    return result;
  }

  std::unique_ptr<Corvella> app;
  int changesSeen = 0;
  int rootChanges = 0;  // properties of the root, changed by the window manager
};

TEST_F(RequestBudgetTest, AHalfMoveAsksOnlyAboutTheWindowItMoves) {
  ChildProcess* client = session->startTestClient(
      // Beta first: the window manager focuses the newest window, so Beta is
      // never active before the click and its application is not known yet.
      {"title=Beta;size=400x300;at=300,200;class=Other", "title=Alpha;size=800x600;at=100,80"});
  ASSERT_NE(client, nullptr) << session->why();
  const xcb_window_t alpha = *session->windowTitled("Alpha");
  const xcb_window_t beta = *session->windowTitled("Beta");
  ASSERT_TRUE(session->activate(alpha));
  // The first action learns what the window manager supports, the monitors,
  // the screens, the application of the window and where it is.
  warmUp(WindowAction::rightHalf);

  // The move goes out at once, with the title (3); the window manager's answer, a synthetic
  // ConfigureNotify, tells the whole frame (one round trip).
  EXPECT_EQ(costOf(WindowAction::leftHalf), Cost(3, 1));
  EXPECT_EQ(session->outerFrame(alpha), (Frame{0, 0, 720, 900}));
  settle();
  EXPECT_EQ(costOf(WindowAction::rightHalf), Cost(3, 1));
  EXPECT_EQ(session->outerFrame(alpha), (Frame{720, 0, 720, 900}));

  // Moved by someone else (same size: the window learns it from a synthetic
  // ConfigureNotify only): its place is asked for again (4, one round trip),
  // so the undo history holds where it really was.
  ASSERT_TRUE(session->moveWindow(alpha, Frame{200, 100, 720, 900}));
  settle();
  EXPECT_EQ(costOf(WindowAction::leftHalf), Cost(7, 2));
  EXPECT_EQ(session->outerFrame(alpha), (Frame{0, 0, 720, 900}));
  costOnce(WindowAction::undo);
  EXPECT_EQ(session->outerFrame(alpha), (Frame{200, 100, 720, 900}));

  // A click on another window: the active window was asked for again as the change was seen. The
  // old one is no longer watched, the new one is (2); its application shares the first round trip
  // with its geometry and states (6). It is resized: the frames on the root are listened to while
  // the action runs (2), and the frame's ConfigureNotify tells where the window went.
  ASSERT_TRUE(session->activate(beta));
  settle();
  EXPECT_EQ(costOf(WindowAction::leftHalf), Cost(13, 2));
  EXPECT_EQ(session->outerFrame(beta), (Frame{0, 0, 720, 900}));
  EXPECT_EQ(session->outerFrame(alpha), (Frame{200, 100, 720, 900}));
}

TEST_F(RequestBudgetTest, TilingCostsTheSameForEveryFurtherWindow) {
  const struct {
    const char* className;
    int windows;
    Cost cost;
  } cases[] = {
      // The window list (1, one round trip); each window's kind, states and geometry (one round
      // trip for all; only the kind of the focused window, 2, whose geometry and states are known);
      // the raise of the focused window (1). A lone window is where the rows left it: its move
      // changes nothing, so the probe answers it, with the title (4, one round trip), and it is
      // where it was.
      {"One", 1, {8, 3}},
      // Each window's kind, states and geometry (2 + 3 × 7); the frames on the root are listened to
      // while the action runs (2). The focused window's move and title (3) are answered by its
      // ConfigureNotify and its frame's (one round trip); each other window is listened to only
      // while its move is answered (5, one round trip).
      {"Four", 4, {45, 6}},
  };
  for (const auto& each : cases) {
    std::vector<std::string> windows;
    for (int i = 0; i < each.windows; ++i) {
      windows.push_back(std::string("title=") + each.className + std::to_string(i) +
                        ";size=300x200;at=" + std::to_string(50 + 60 * i) +
                        ",60;class=" + each.className);
    }
    ChildProcess* client = session->startTestClient(windows);
    ASSERT_NE(client, nullptr) << session->why();
    const std::vector<xcb_window_t> managed = session->managedWindowsOf(client->pid());
    ASSERT_EQ(managed.size(), static_cast<std::size_t>(each.windows));
    ASSERT_TRUE(session->activate(managed.front()));
    warmUp(WindowAction::tileAppRows);

    EXPECT_EQ(costOf(WindowAction::tileAppColumns), each.cost) << each.className;
    std::vector<Frame> frames;
    for (xcb_window_t window : managed) frames.push_back(*session->outerFrame(window));
    std::sort(frames.begin(), frames.end(),
              [](const Frame& a, const Frame& b) { return a.x < b.x; });
    const int width = 1440 / each.windows;
    for (int i = 0; i < each.windows; ++i) {
      EXPECT_EQ(frames[i], (Frame{i * width, 0, width, 900})) << each.className << " " << i;
    }
    settle();
  }
}

TEST_F(RequestBudgetTest, RememberedScreensFollowNewMonitorsAndNewPanels) {
  const PlatformScreen whole{{0, 0, 1440, 900}, {0, 0, 1440, 900}};
  ASSERT_EQ(screens(), std::vector<PlatformScreen>{whole});

  // A panel's strut takes the top 30 pixels off the visible frame (platform
  // space counts from the bottom).
  ASSERT_NE(session->startTestClient({"title=Panel;size=1440x30;at=0,0;type=DOCK;strut=30"}),
            nullptr)
      << session->why();
  settle();
  EXPECT_EQ(screens(), (std::vector<PlatformScreen>{{{0, 0, 1440, 900}, {0, 0, 1440, 870}}}));

  // Two monitors where there was one: the left one is primary.
  ASSERT_EQ(session->run({"xrandr", "--setmonitor", "left", "720/190x900/240+0+0", "screen"}), 0);
  ASSERT_EQ(session->run({"xrandr", "--setmonitor", "right", "720/190x900/240+720+0", "none"}), 0);
  settle();
  EXPECT_EQ(screens(), (std::vector<PlatformScreen>{{{0, 0, 720, 900}, {0, 0, 720, 870}},
                                                    {{720, 0, 720, 900}, {720, 0, 720, 870}}}));
}

}  // namespace
}  // namespace corvella::e2e
