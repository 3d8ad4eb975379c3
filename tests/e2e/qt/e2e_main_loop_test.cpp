// The headless daemon's poll loop and the desktop's loop inside Qt's, held to the same behaviour on
// a real X connection (their watched descriptors are driven by the commands' end-to-end test).
#include <gtest/gtest.h>

#include <QCoreApplication>

#include "platform/qt/qt_main_loop.h"
#include "platform/x11/x11_poll_loop.h"
#include "x_session.h"

namespace corvella::e2e {
namespace {

using x11::X11MainLoop;

enum class Loop { poll, qt };

std::unique_ptr<X11MainLoop> makeLoop(Loop kind, x11::X11Connection& connection) {
  if (kind == Loop::poll) return std::make_unique<x11::X11PollLoop>(connection);
  // The desktop makes its QApplication; the loop needs only the core of it.
  static int argc = 1;
  static char name[] = "e2e_main_loop_test";
  static char* argv[] = {name, nullptr};
  static QCoreApplication application(argc, argv);
  return std::make_unique<qt::QtMainLoop>(connection);
}

class MainLoopTest : public testing::TestWithParam<Loop> {
 protected:
  static void SetUpTestSuite() { session = std::make_unique<XSession>(); }
  static void TearDownTestSuite() { session.reset(); }
  void SetUp() override {
    ASSERT_TRUE(session->ready()) << session->why();
    std::string error;
    connection = x11::X11Connection::open(session->display(), &error);
    ASSERT_TRUE(connection) << error;
    loop = makeLoop(GetParam(), *connection);
    loop->addWorkEndedHandler([this] { trace.push_back("end"); });
    // Ends a loop that would otherwise wait for ever.
    loop->scheduleRepeating(10, [this] {
      trace.push_back("watchdog");
      loop->stop();
    });
  }

  static inline std::unique_ptr<XSession> session;
  // The loop goes before its connection.
  std::unique_ptr<x11::X11Connection> connection;
  std::unique_ptr<X11MainLoop> loop;
  std::vector<std::string> trace;
};

TEST_P(MainLoopTest, PostedWorkRunsInOrderOnLaterTurnsEachFollowedByTheEndOfWork) {
  loop->post([this] {
    trace.push_back("a");
    loop->post([this] {
      trace.push_back("c");
      loop->stop();
    });
  });
  loop->post([this] { trace.push_back("b"); });
  EXPECT_EQ(loop->run(), X11MainLoop::Exit::stopped);
  EXPECT_EQ(trace, (std::vector<std::string>{"a", "end", "b", "end", "c", "end"}));
}

TEST_P(MainLoopTest, ATimerRepeatsUntilItInvalidatesItselfFromItsOwnTick) {
  int ticks = 0;
  TimerID timer = 0;
  timer = loop->scheduleRepeating(0.001, [&] {
    trace.push_back("tick");
    if (++ticks == 3) {
      loop->invalidate(timer);
      loop->post([this] { loop->stop(); });
    }
  });
  EXPECT_EQ(loop->run(), X11MainLoop::Exit::stopped);
  EXPECT_EQ(trace, (std::vector<std::string>{"tick", "end", "tick", "end", "tick", "end", "end"}));
}

TEST_P(MainLoopTest, AnEventXcbReadWhileWaitingForAReplyIsHandedOutBeforeSleeping) {
  // A window of this connection that reports its own property changes.
  const xcb_window_t window = xcb_generate_id(connection->xcb());
  const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_create_window(connection->xcb(), XCB_COPY_FROM_PARENT, window, connection->root(), 0, 0, 1, 1,
                    0, XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                    &events);
  connection->sync();
  loop->dispatchEvents();
  loop->addEventHandler([&](const xcb_generic_event_t& event) {
    if (x11::eventType(event) != XCB_PROPERTY_NOTIFY) return;
    trace.push_back("property");
    loop->stop();
  });
  loop->post([&] {
    xcb_change_property(connection->xcb(), XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME,
                        XCB_ATOM_STRING, 8, 1, "x");
    // The reply comes after the event: both are read, and the socket is empty.
    connection->sync();
  });
  EXPECT_EQ(loop->run(), X11MainLoop::Exit::stopped);
  EXPECT_EQ(trace, (std::vector<std::string>{"end", "property"}));
}

TEST_P(MainLoopTest, ALostConnectionEndsTheLoopAndSaysSo) {
  loop->post([] { session->stopServer(); });
  EXPECT_EQ(loop->run(), X11MainLoop::Exit::connectionLost);
  session = std::make_unique<XSession>();  // a live desktop for the tests after this one
}

INSTANTIATE_TEST_SUITE_P(BothLoops, MainLoopTest, testing::Values(Loop::poll, Loop::qt),
                         [](const auto& loop) { return loop.param == Loop::poll ? "poll" : "qt"; });

}  // namespace
}  // namespace corvella::e2e
