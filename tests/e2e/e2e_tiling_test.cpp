// Tiling the front application's windows on a real window manager: columns,
// rows and a stored grid with a window left over, while another
// application's window keeps its frame, and one undo puts them all back.
#include <string>
#include <vector>

#include "e2e_fixture.h"

namespace corvella::e2e {
namespace {

using namespace keys;

class TilingTest : public DesktopTest {
 protected:
  // Starts the front application with the windows and another application
  // (another class) with one window, focuses the front one and starts corvella.
  void startApplications(const std::vector<std::string>& windows, const std::string& focused) {
    ASSERT_NE(session->startTestClient({"title=Other;size=300x200;at=1000,600;class=Other"}),
              nullptr)
        << session->why();
    ASSERT_NE(session->startTestClient(windows), nullptr) << session->why();
    ASSERT_TRUE(session->activate(*session->windowTitled(focused)));
    other = *session->windowTitled("Other");
    otherFrame = *session->outerFrame(other);
    startCorvella();
  }
  Frame frameOf(const std::string& title) {
    return *session->outerFrame(*session->windowTitled(title));
  }

  xcb_window_t other = XCB_WINDOW_NONE;
  Frame otherFrame;
};

const std::vector<std::string> threeInARow{"title=One;size=300x200;at=50,50",
                                           "title=Two;size=300x200;at=400,60",
                                           "title=Three;size=300x200;at=800,70"};

TEST_F(TilingTest, ColumnsGoLeftToRightAndOneUndoRestoresEveryWindow) {
  startApplications(threeInARow, "Two");
  const std::vector<Frame> before{frameOf("One"), frameOf("Two"), frameOf("Three")};

  const Frame one{0, 0, 480, 900}, two{480, 0, 480, 900}, three{960, 0, 480, 900};
  EXPECT_EQ(session->pressForEntry({super, alt, a}),
            "tileAppColumns TestClient ×3\n" + moveLine(true, one, logText(one), "One") + "\n" +
                moveLine(true, two, logText(two), "Two") + "\n" +
                moveLine(true, three, logText(three), "Three"));
  EXPECT_EQ(frameOf("One"), one);
  EXPECT_EQ(frameOf("Two"), two);
  EXPECT_EQ(frameOf("Three"), three);
  EXPECT_EQ(session->outerFrame(other), otherFrame);
  EXPECT_EQ(session->activeWindow(), session->windowTitled("Two"));

  EXPECT_EQ(session->pressForEntry({super, alt, z}), "undo: 창 3개 복원");
  EXPECT_EQ((std::vector<Frame>{frameOf("One"), frameOf("Two"), frameOf("Three")}), before);
}

TEST_F(TilingTest, RowsGoTopToBottom) {
  startApplications(threeInARow, "One");
  const Frame one{0, 0, 1440, 300}, two{0, 300, 1440, 300}, three{0, 600, 1440, 300};
  EXPECT_EQ(session->pressForEntry({super, alt, shift, a}),
            "tileAppRows TestClient ×3\n" + moveLine(true, one, logText(one), "One") + "\n" +
                moveLine(true, two, logText(two), "Two") + "\n" +
                moveLine(true, three, logText(three), "Three"));
  EXPECT_EQ(frameOf("Three"), three);
  EXPECT_EQ(session->outerFrame(other), otherFrame);
}

TEST_F(TilingTest, AStoredGridFillsItsCellsInReadingOrderAndLeavesTheRest) {
  // A 2×2 grid on control-option-1 (key code 18, modifiers 0xC0000).
  session->writeDefaults(
      R"({"gridLayouts": {"data": "[{\"id\":\"0B9C6F1E-3C52-4C0B-9E55-2B7D9F8A1C11\",\"columns\":2,\"rows\":2,\"shortcut\":{\"keyCode\":18,\"modifiers\":786432}}]"}})");
  startApplications({"title=W1;size=200x150;at=10,10", "title=W2;size=200x150;at=500,10",
                     "title=W3;size=200x150;at=10,400", "title=W4;size=200x150;at=500,400",
                     "title=W5;size=200x150;at=900,600"},
                    "W1");
  const Frame w5 = frameOf("W5");
  const Frame w1{0, 0, 720, 450}, w2{720, 0, 720, 450}, w3{0, 450, 720, 450},
      w4{720, 450, 720, 450};
  EXPECT_EQ(
      session->pressForEntry({control, alt, one}),
      "grid 2×2 TestClient ×5 (칸 부족, 1개 그대로)\n" + moveLine(true, w1, logText(w1), "W1") +
          "\n" + moveLine(true, w2, logText(w2), "W2") + "\n" +
          moveLine(true, w3, logText(w3), "W3") + "\n" + moveLine(true, w4, logText(w4), "W4"));
  EXPECT_EQ(frameOf("W4"), w4);
  EXPECT_EQ(frameOf("W5"), w5);
}

}  // namespace
}  // namespace corvella::e2e
