// Where the daemon cannot work at all: a Wayland session without X.
#include "platform/x11/x11_session_checks.h"

#include <gtest/gtest.h>

#include "tests/support/environment.h"

namespace corvella::x11 {
namespace {

bool waylandOnly(const testing_support::Variables& variables) {
  return waylandWithoutX(testing_support::environmentOf(variables));
}

TEST(X11SessionChecksTest, OnlyAWaylandSessionWithoutADisplayIsRefused) {
  EXPECT_TRUE(waylandOnly({{"WAYLAND_DISPLAY", "wayland-0"}}));
  EXPECT_TRUE(waylandOnly({{"XDG_SESSION_TYPE", "wayland"}}));
  // Xwayland gives a display: its X clients can be arranged.
  EXPECT_FALSE(waylandOnly({{"DISPLAY", ":0"}, {"WAYLAND_DISPLAY", "wayland-0"}}));
  // No display and no Wayland: the X connection's own error says it.
  EXPECT_FALSE(waylandOnly({}));
  EXPECT_FALSE(waylandOnly({{"XDG_SESSION_TYPE", "x11"}, {"WAYLAND_DISPLAY", ""}}));
}

}  // namespace
}  // namespace corvella::x11
