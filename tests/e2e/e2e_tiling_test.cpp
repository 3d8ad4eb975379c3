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
  void startApplications(const std::vector<std::string>& windows, const std::string& title) {
    ASSERT_NE(session->startTestClient({"title=Other;size=300x200;at=1000,600;class=Other"}),
              nullptr)
        << session->why();
    otherFrame = frameOf("Other");
    startFocused(windows, title);
  }
  std::vector<Frame> framesOf(const std::vector<std::string>& titles) {
    std::vector<Frame> frames;
    for (const std::string& title : titles) frames.push_back(frameOf(title));
    return frames;
  }

  Frame otherFrame;
};

const std::vector<std::string> threeInARow{"title=One;size=300x200;at=50,50",
                                           "title=Two;size=300x200;at=400,60",
                                           "title=Three;size=300x200;at=800,70"};

TEST_F(TilingTest, ColumnsGoLeftToRightAndOneUndoRestoresEveryWindow) {
  startApplications(threeInARow, "Two");
  const std::vector<Frame> before = framesOf({"One", "Two", "Three"});

  const Frame one{0, 0, 480, 900}, two{480, 0, 480, 900}, three{960, 0, 480, 900};
  EXPECT_EQ(
      session->pressForEntry({super, alt, a}),
      okEntry("tileAppColumns TestClient ×3", {{one, "One"}, {two, "Two"}, {three, "Three"}}));
  EXPECT_EQ(framesOf({"One", "Two", "Three", "Other"}),
            (std::vector<Frame>{one, two, three, otherFrame}));
  EXPECT_EQ(session->activeWindow(), session->windowTitled("Two"));

  EXPECT_EQ(session->pressForEntry({super, alt, z}), "undo: 창 3개 복원");
  EXPECT_EQ(framesOf({"One", "Two", "Three"}), before);
}

TEST_F(TilingTest, RowsGoTopToBottom) {
  startApplications(threeInARow, "One");
  const Frame one{0, 0, 1440, 300}, two{0, 300, 1440, 300}, three{0, 600, 1440, 300};
  EXPECT_EQ(session->pressForEntry({super, alt, shift, a}),
            okEntry("tileAppRows TestClient ×3", {{one, "One"}, {two, "Two"}, {three, "Three"}}));
  EXPECT_EQ(framesOf({"Three", "Other"}), (std::vector<Frame>{three, otherFrame}));
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
  EXPECT_EQ(session->pressForEntry({control, alt, one}),
            okEntry("grid 2×2 TestClient ×5 (칸 부족, 1개 그대로)",
                    {{w1, "W1"}, {w2, "W2"}, {w3, "W3"}, {w4, "W4"}}));
  EXPECT_EQ(framesOf({"W4", "W5"}), (std::vector<Frame>{w4, w5}));
}

}  // namespace
}  // namespace corvella::e2e
