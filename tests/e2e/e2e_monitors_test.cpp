// Two monitors made by splitting one Xvfb screen with xrandr --setmonitor:
// moving between displays, and a window that straddles both belonging to the
// one it overlaps more.
#include "e2e_fixture.h"

namespace corvella::e2e {
namespace {

using namespace keys;

using MonitorsTest = DesktopTest;

TEST_F(MonitorsTest, DisplayMovesKeepThePlaceAndAWindowAcrossBothBelongsToTheLarger) {
  startFocused({"title=Solo;size=300x200;at=100,100"}, "Solo");
  const int entries = static_cast<int>(session->logEntries().size());
  EXPECT_TRUE(session->pressForBell({control, alt, super, right}));  // one screen: nowhere to go
  EXPECT_EQ(static_cast<int>(session->logEntries().size()), entries);

  ASSERT_EQ(session->run({"xrandr", "--setmonitor", "left", "720/190x900/240+0+0", "screen"}), 0);
  ASSERT_EQ(session->run({"xrandr", "--setmonitor", "right", "720/190x900/240+720+0", "none"}), 0);
  const Frame start = *session->outerFrame(focusedWindow);
  // Both screens are 720×900, so only the origin moves by the screen's offset.
  const Frame moved{start.x + 720, start.y, start.width, start.height};
  EXPECT_EQ(session->pressForEntry({control, alt, super, right}),
            okEntry("nextDisplay", {{moved, "Solo"}}));
  EXPECT_EQ(session->outerFrame(focusedWindow), moved);
  EXPECT_EQ(session->pressForEntry({control, alt, super, left}),
            okEntry("previousDisplay", {{start, "Solo"}}));
  EXPECT_EQ(session->outerFrame(focusedWindow), start);

  // A window across both screens acts on the one it overlaps more.
  const struct {
    Frame across, leftHalf;
  } cases[] = {
      {{520, 100, 500, 300}, {720, 0, 360, 900}},  // 200 on the left, 300 on the right
      {{400, 100, 500, 300}, {0, 0, 360, 900}},    // 320 on the left, 180 on the right
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(session->moveWindow(focusedWindow, c.across)) << c.across;
    EXPECT_EQ(session->pressForEntry({super, alt, left}),
              okEntry("leftHalf", {{c.leftHalf, "Solo"}}));
    EXPECT_EQ(session->outerFrame(focusedWindow), c.leftHalf);
  }
}

}  // namespace
}  // namespace corvella::e2e
