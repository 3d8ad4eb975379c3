// Placement actions on a real window manager: every frame below is derived by
// hand from the action rules on the 1440×900 screen (no docks, so the visible
// frame is the whole screen), and checked both in the log and on the server.
#include <string>
#include <vector>

#include "e2e_fixture.h"

namespace corvella::e2e {
namespace {

using namespace keys;

class PlacementTest : public OneWindowTest {
 protected:
  // Presses the keys and expects one OK entry under the label and the window at target.
  void expectPlacement(const std::vector<std::uint8_t>& keys, const std::string& label,
                       const Frame& target) {
    EXPECT_EQ(session->pressForEntry(keys), okEntry(label, {{target, "Alpha"}}));
    EXPECT_EQ(session->outerFrame(focusedWindow), target) << label;
  }
};

TEST_F(PlacementTest, HalvesQuartersAndMaximizeFillTheirPartOfTheScreen) {
  expectPlacement({super, alt, left}, "leftHalf", {0, 0, 720, 900});
  expectPlacement({super, alt, right}, "rightHalf", {720, 0, 720, 900});
  expectPlacement({super, alt, up}, "topHalf", {0, 0, 1440, 450});
  expectPlacement({super, alt, down}, "bottomHalf", {0, 450, 1440, 450});
  expectPlacement({control, super, left}, "upperLeft", {0, 0, 720, 450});
  expectPlacement({control, super, right}, "upperRight", {720, 0, 720, 450});
  expectPlacement({control, shift, super, left}, "lowerLeft", {0, 450, 720, 450});
  expectPlacement({control, shift, super, right}, "lowerRight", {720, 450, 720, 450});
  expectPlacement({super, alt, f}, "maximize", {0, 0, 1440, 900});
}

TEST_F(PlacementTest, ThirdsCycleBothWaysAndCenterSmallerAndLargerWorkFromTheCurrentFrame) {
  // The window starts in no third: next takes the left one, then each press the next.
  for (int x : {0, 480, 960, 0})
    expectPlacement({control, alt, right}, "nextThird", {x, 0, 480, 900});
  expectPlacement({control, alt, left}, "previousThird", {960, 0, 480, 900});

  // Center, smaller and larger work from the current frame.
  expectPlacement({super, alt, left}, "leftHalf", {0, 0, 720, 900});
  // 720×900 centred: x = 720 - 360.
  expectPlacement({super, alt, c}, "center", {360, 0, 720, 900});
  expectPlacement({super, alt, left}, "leftHalf", {0, 0, 720, 900});
  // Each edge moves in by 36 and 22.5; the integral frame rounds outwards.
  expectPlacement({control, alt, shift, left}, "smaller", {36, 22, 648, 856});
  // Out again by 36 and 22.5, then kept inside the screen.
  expectPlacement({control, alt, shift, right}, "larger", {0, 0, 720, 900});
}

TEST_F(PlacementTest, UndoAndRedoReplayTheHistoryAndBeepWhenItIsEmpty) {
  const auto before = session->outerFrame(focusedWindow);
  ASSERT_TRUE(before.has_value());
  EXPECT_TRUE(session->pressForBell({super, alt, z}));  // nothing to undo yet
  expectPlacement({super, alt, left}, "leftHalf", {0, 0, 720, 900});

  EXPECT_EQ(session->pressForEntry({super, alt, z}), "undo: 창 1개 복원");
  EXPECT_EQ(session->outerFrame(focusedWindow), before);
  EXPECT_EQ(session->pressForEntry({super, alt, shift, z}), "redo: 창 1개 복원");
  EXPECT_EQ(session->outerFrame(focusedWindow), (Frame{0, 0, 720, 900}));

  const auto entries = session->logEntries().size();
  const int bells = session->bells();
  EXPECT_TRUE(session->pressForBell({super, alt, shift, z}));  // the redo stack is empty again
  EXPECT_EQ(session->bells(), bells + 1);
  EXPECT_EQ(session->logEntries().size(), entries);
}

TEST_F(PlacementTest, ShortcutsStillWorkWithCapsLockAndNumLockOn) {
  session->press({capsLock});
  ASSERT_EQ(session->modifierState() & XCB_MOD_MASK_LOCK, XCB_MOD_MASK_LOCK);
  expectPlacement({super, alt, left}, "leftHalf", {0, 0, 720, 900});
  session->press({numLock});
  ASSERT_EQ(session->modifierState() & XCB_MOD_MASK_2, XCB_MOD_MASK_2);
  expectPlacement({super, alt, right}, "rightHalf", {720, 0, 720, 900});
  session->press({capsLock});
  expectPlacement({control, alt, right}, "nextThird", {0, 0, 480, 900});
  session->press({numLock});
}

TEST_F(PlacementTest, AResizedXtermReportsTheFrameTheWindowManagerSettledOn) {
  ChildProcess* xterm = session->startXterm("80x24+300+200");
  ASSERT_NE(xterm, nullptr);
  const xcb_window_t terminal = session->managedWindowsOf(xterm->pid()).front();
  ASSERT_TRUE(session->activate(terminal));

  const std::string entry = session->pressForEntry({super, alt, left});
  const auto settled = session->outerFrame(terminal);
  ASSERT_TRUE(settled.has_value());
  // The character grid (6×13 pixels) leaves the size at most one step short.
  EXPECT_TRUE(settled->x == 0 && settled->y == 0 && settled->width > 720 - 6 &&
              settled->width <= 720 && settled->height > 900 - 13 && settled->height <= 900)
      << *settled;
  // The log reports that settled frame, not the frame before the move.
  const bool close = 720 - settled->width <= 4 && 900 - settled->height <= 4;
  EXPECT_EQ(entry, "leftHalf\n" + moveLine(close, {0, 0, 720, 900}, logText(*settled), "xterm"));
}

}  // namespace
}  // namespace corvella::e2e
