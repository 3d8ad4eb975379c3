// Placement actions on a real window manager: every frame is worked out by
// hand for the whole 1440×900 screen and checked in the log and on the
// server. Then the same screen split into two monitors.

#include "e2e_fixture.h"

namespace corvella::e2e {
namespace {

using namespace keys;

struct Placement {
  std::vector<std::uint8_t> keys;
  const char* label;
  Frame target;
};

class PlacementTest : public OneWindowTest {
 protected:
  // Presses the keys and expects one OK entry under the label and the window at target.
  void expectPlacement(const Placement& p) {
    EXPECT_EQ(session->pressForEntry(p.keys), okEntry(p.label, {{p.target, "Alpha"}}));
    EXPECT_EQ(session->outerFrame(focusedWindow), p.target) << p.label;
  }
};

const Frame leftHalf{0, 0, 720, 900}, rightHalf{720, 0, 720, 900};

TEST_F(PlacementTest, EveryActionFromItsShortcutThenHistoryLocksAnXtermAndTwoMonitors) {
  // One screen has no next one: a beep and no entry.
  const std::size_t launch = session->logEntries().size();
  EXPECT_TRUE(session->pressForBell({control, alt, super, right}));
  EXPECT_EQ(session->logEntries().size(), launch);

  const Placement placements[] = {
      {{super, alt, left}, "leftHalf", leftHalf},
      {{super, alt, right}, "rightHalf", rightHalf},
      {{super, alt, up}, "topHalf", {0, 0, 1440, 450}},
      {{super, alt, down}, "bottomHalf", {0, 450, 1440, 450}},
      {{control, super, left}, "upperLeft", {0, 0, 720, 450}},
      {{control, super, right}, "upperRight", {720, 0, 720, 450}},
      {{control, shift, super, left}, "lowerLeft", {0, 450, 720, 450}},
      {{control, shift, super, right}, "lowerRight", {720, 450, 720, 450}},
      {{super, alt, f}, "maximize", {0, 0, 1440, 900}},
      // The whole screen is in no third: next takes the left one, then each press the next.
      {{control, alt, right}, "nextThird", {0, 0, 480, 900}},
      {{control, alt, right}, "nextThird", {480, 0, 480, 900}},
      {{control, alt, right}, "nextThird", {960, 0, 480, 900}},
      {{control, alt, left}, "previousThird", {480, 0, 480, 900}},
      {{super, alt, left}, "leftHalf", leftHalf},
      {{super, alt, c}, "center", {360, 0, 720, 900}},  // x = 720 - 360
      {{super, alt, left}, "leftHalf", leftHalf},
      // Each edge moves in by 36 and 22.5; the integral frame rounds outwards.
      {{control, alt, shift, left}, "smaller", {36, 22, 648, 856}},
      // Out again by 36 and 22.5, then kept inside the screen.
      {{control, alt, shift, right}, "larger", leftHalf},
  };
  for (const Placement& placement : placements) expectPlacement(placement);

  EXPECT_EQ(session->pressForEntry({super, alt, z}), "undo: 창 1개 복원");
  EXPECT_EQ(session->outerFrame(focusedWindow), (Frame{36, 22, 648, 856}));
  EXPECT_EQ(session->pressForEntry({super, alt, shift, z}), "redo: 창 1개 복원");
  EXPECT_EQ(session->outerFrame(focusedWindow), leftHalf);
  const std::size_t entries = session->logEntries().size();
  EXPECT_TRUE(session->pressForBell({super, alt, shift, z}));  // the redo stack is empty again
  EXPECT_EQ(session->logEntries().size(), entries);

  // Caps Lock and Num Lock change nothing.
  session->press({capsLock});
  ASSERT_EQ(session->modifierState() & XCB_MOD_MASK_LOCK, XCB_MOD_MASK_LOCK);
  expectPlacement({{super, alt, right}, "rightHalf", rightHalf});
  session->press({numLock});
  ASSERT_EQ(session->modifierState() & XCB_MOD_MASK_2, XCB_MOD_MASK_2);
  expectPlacement({{super, alt, left}, "leftHalf", leftHalf});
  session->press({capsLock});
  expectPlacement({{control, alt, right}, "nextThird", {0, 0, 480, 900}});
  session->press({numLock});

  // Two monitors of 720×900 side by side.
  ASSERT_EQ(session->run({"xrandr", "--setmonitor", "left", "720/190x900/240+0+0", "screen"}), 0);
  ASSERT_EQ(session->run({"xrandr", "--setmonitor", "right", "720/190x900/240+720+0", "none"}), 0);
  ASSERT_TRUE(session->activate(focusedWindow));
  const Frame start{100, 100, 300, 200}, moved{820, 100, 300, 200};
  ASSERT_TRUE(session->moveWindow(focusedWindow, start));
  expectPlacement({{control, alt, super, right}, "nextDisplay", moved});
  expectPlacement({{control, alt, super, left}, "previousDisplay", start});
  // A window across both acts on the screen it overlaps more.
  ASSERT_TRUE(session->moveWindow(focusedWindow, {520, 100, 500, 300}));  // 200 left, 300 right
  expectPlacement({{super, alt, left}, "leftHalf", {720, 0, 360, 900}});
  ASSERT_TRUE(session->moveWindow(focusedWindow, {400, 100, 500, 300}));  // 320 left, 180 right
  expectPlacement({{super, alt, left}, "leftHalf", {0, 0, 360, 900}});
}

}  // namespace
}  // namespace corvella::e2e
