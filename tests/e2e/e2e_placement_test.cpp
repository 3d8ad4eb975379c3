// Every frame worked out by hand for the 1440×900 screen (then two monitors). The front application
// is the windows sharing WM_CLASS's class, as a task bar groups them, whatever process shows them;
// without a class, one X client's.

#include <algorithm>
#include <map>

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

TEST_F(PlacementTest, EveryActionFromItsShortcutThenHistoryLocksAndTwoMonitors) {
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
      // The whole screen is in no third: next takes the left one, then goes on from there.
      {{control, alt, right}, "nextThird", {0, 0, 480, 900}},
      {{control, alt, right}, "nextThird", {480, 0, 480, 900}},
      {{control, alt, left}, "previousThird", {0, 0, 480, 900}},
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

  // A window the window manager maximized gives that state up for the half.
  session->sendToRoot(focusedWindow, "_NET_WM_STATE",
                      {1, session->atom("_NET_WM_STATE_MAXIMIZED_VERT"),
                       session->atom("_NET_WM_STATE_MAXIMIZED_HORZ"), 2, 0});
  ASSERT_TRUE(session->waitUntil([&] {
    return session->outerFrame(focusedWindow) == Frame{0, 0, 1440, 900};
  }));
  expectPlacement({{super, alt, right}, "rightHalf", rightHalf});

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
}

using Cells = std::vector<std::pair<Frame, std::string>>;

// n equal columns (or rows) of the 1440×900 screen, one per title in order.
Cells strips(bool columns, const std::vector<std::string>& titles) {
  Cells cells;
  const int n = static_cast<int>(titles.size());
  for (const std::string& title : titles) {
    const int k = static_cast<int>(cells.size());
    cells.push_back(
        {columns ? Frame{1440 / n * k, 0, 1440 / n, 900} : Frame{0, 900 / n * k, 1440, 900 / n},
         title});
  }
  return cells;
}

struct Tiling {
  const char* focus;
  std::vector<std::uint8_t> keys;
  std::string header;
  Cells cells;
};

using TilingTest = DesktopTest;

TEST_F(TilingTest, EachApplicationTilesAloneAndOneUndoRestoresIt) {
  const std::vector<std::vector<std::string>> clients = {
      {"title=One;at=50,50", "title=Two;at=400,60", "title=Three;at=800,70"},
      {"title=T1;at=20,300;class=Wish;nopid", "title=T2;at=400,300;class=Wish;nopid",
       "title=T3;at=780,300;class=Wish;nopid"},
      {"title=Other;at=1000,300;class=Other;nopid"},
      {"title=Left;at=20,560;class=Term"},
      {"title=Right;at=400,560;class=Term"},
      {"title=Else;at=780,560;class=Else"},
      {"title=C1;at=1000,500;noclass;nopid", "title=C2;at=1040,40;noclass;nopid"},
      {"title=D1;at=1020,250;noclass;nopid"}};
  std::vector<std::string> titles;
  for (const auto& windows : clients) {
    // Windows without _NET_WM_PID are not counted by process: all are waited for by title.
    ASSERT_NE(session->startTestClient(windows), nullptr) << session->why();
    for (const auto& window : windows) titles.push_back(window.substr(6, window.find(';') - 6));
  }
  const auto framesOf = [&] {
    std::map<std::string, Frame> frames;
    for (const std::string& title : titles) frames[title] = frameOf(title);
    return frames;
  };
  ASSERT_TRUE(session->waitUntil([&] {
    return std::ranges::all_of(titles, [&](auto& title) { return !!session->windowTitled(title); });
  })) << "not all of the windows were managed";
  const auto before = framesOf();
  startCorvella();

  const std::vector<std::string> oneTwoThree{"One", "Two", "Three"};
  const Tiling tilings[] = {
      {"Two", {super, alt, a}, "tileAppColumns TestClient ×3", strips(true, oneTwoThree)},
      {"One", {super, alt, shift, a}, "tileAppRows TestClient ×3", strips(false, oneTwoThree)},
      {"T2", {super, alt, a}, "tileAppColumns Wish ×3", strips(true, {"T1", "T2", "T3"})},
      {"Right", {super, alt, a}, "tileAppColumns Term ×2", strips(true, {"Left", "Right"})},
      // No class, so no name: "?" stands for it.
      {"C1", {super, alt, a}, "tileAppColumns ? ×2", strips(true, {"C1", "C2"})},
  };
  for (const Tiling& tiling : tilings) {
    const auto focus = session->windowTitled(tiling.focus);
    ASSERT_TRUE(session->activate(*focus));
    EXPECT_EQ(session->pressForEntry(tiling.keys), okEntry(tiling.header, tiling.cells));
    auto expected = before;
    for (const auto& [frame, title] : tiling.cells) expected[title] = frame;
    EXPECT_EQ(framesOf(), expected) << tiling.header;
    EXPECT_EQ(session->activeWindow(), focus) << tiling.header;
    EXPECT_EQ(session->pressForEntry({super, alt, z}),
              "undo: 창 " + std::to_string(tiling.cells.size()) + "개 복원");
    EXPECT_EQ(framesOf(), before) << tiling.header;
  }

  // A stopped window manager: moves are sent, frames not reached logged, shortcuts answered.
  const xcb_window_t one = *session->windowTitled("One"), three = *session->windowTitled("Three");
  ASSERT_TRUE(session->activate(one));
  ::kill(session->windowManagerPid(), SIGSTOP);
  // Openbox may have stopped while moving the focus: it is set as it would be.
  xcb_change_property(session->xcb(), XCB_PROP_MODE_REPLACE, session->root(),
                      session->atom("_NET_ACTIVE_WINDOW"), XCB_ATOM_WINDOW, 32, 1, &one);
  EXPECT_TRUE(session->waitUntil([&] { return session->activeWindow() == one; }));
  std::string expected = "tileAppColumns TestClient ×3";
  for (const auto& [frame, title] : strips(true, oneTwoThree)) {
    expected += "\n" + moveLine(false, frame, "nil", title);
  }
  EXPECT_EQ(session->pressForEntry({super, alt, a}), expected);
  EXPECT_EQ(session->pressForEntry({super, alt, left}),
            "leftHalf\n" + moveLine(false, {0, 0, 720, 900}, "nil", "One"));
  // Once continued, the window manager makes the moves (their ConfigureNotify wakes the wait).
  const std::uint32_t structure = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
  for (xcb_window_t window : {one, three}) {
    xcb_change_window_attributes(session->xcb(), window, XCB_CW_EVENT_MASK, &structure);
  }
  ::kill(session->windowManagerPid(), SIGCONT);
  EXPECT_TRUE(session->waitUntil([&] {
    return session->outerFrame(one) == Frame{0, 0, 720, 900} &&
           session->outerFrame(three) == Frame{960, 0, 480, 900};
  }));
  // And with an answering window manager the frames are known again.
  ASSERT_TRUE(session->activate(one));
  EXPECT_EQ(session->pressForEntry({super, alt, right}),
            okEntry("rightHalf", {{{720, 0, 720, 900}, "One"}}));
}

}  // namespace
}  // namespace corvella::e2e
