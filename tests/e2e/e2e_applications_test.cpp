// What one application is on X11, as a task bar groups windows: the windows
// sharing WM_CLASS's class name, whichever process shows them and whether or
// not they say their process (_NET_WM_PID); without a class name, the
// windows of one X client.
#include <string>
#include <vector>

#include "e2e_fixture.h"

namespace corvella::e2e {
namespace {

using namespace keys;

class ApplicationsTest : public DesktopTest {
 protected:
  // Starts a client whose windows may not say their process, and waits until
  // the window manager manages every one of them.
  void startClient(const std::vector<std::string>& windows,
                   const std::vector<std::string>& titles) {
    ASSERT_NE(session->startTestClient(windows, 0), nullptr) << session->why();
    ASSERT_TRUE(session->waitUntil([&] {
      for (const auto& title : titles) {
        if (!session->windowTitled(title)) return false;
      }
      return true;
    })) << "not all of the windows were managed";
  }
  Frame frameOf(const std::string& title) {
    return *session->outerFrame(*session->windowTitled(title));
  }
  std::string columns(const std::string& header, const std::vector<std::string>& titles) {
    const int width = 1440 / static_cast<int>(titles.size());
    std::string entry = header;
    for (std::size_t i = 0; i < titles.size(); ++i) {
      const Frame cell{width * static_cast<int>(i), 0, width, 900};
      entry += "\n" + moveLine(true, cell, logText(cell), titles[i]);
    }
    return entry;
  }
};

TEST_F(ApplicationsTest, AClientWithoutProcessIdentifiersIsOneApplicationByItsClass) {
  startClient({"title=Other;size=300x200;at=1000,600;class=Other;nopid"}, {"Other"});
  startClient({"title=T1;size=300x200;at=20,20;class=Wish;nopid",
               "title=T2;size=300x200;at=400,40;class=Wish;nopid",
               "title=T3;size=300x200;at=800,60;class=Wish;nopid"},
              {"T1", "T2", "T3"});
  const Frame other = frameOf("Other");
  ASSERT_TRUE(session->activate(*session->windowTitled("T2")));
  startCorvella();
  EXPECT_EQ(session->pressForEntry({super, alt, a}),
            columns("tileAppColumns Wish ×3", {"T1", "T2", "T3"}));
  EXPECT_EQ(frameOf("Other"), other);
}

TEST_F(ApplicationsTest, WindowsOfOneClassFromTwoProcessesAreOneApplication) {
  ASSERT_NE(session->startTestClient({"title=Left;size=300x200;at=20,20;class=Term"}), nullptr);
  ASSERT_NE(session->startTestClient({"title=Right;size=300x200;at=600,40;class=Term"}), nullptr);
  ASSERT_NE(session->startTestClient({"title=Else;size=300x200;at=1000,600;class=Else"}), nullptr);
  const Frame other = frameOf("Else");
  ASSERT_TRUE(session->activate(*session->windowTitled("Right")));
  startCorvella();
  EXPECT_EQ(session->pressForEntry({super, alt, a}),
            columns("tileAppColumns Term ×2", {"Left", "Right"}));
  EXPECT_EQ(frameOf("Else"), other);
}

TEST_F(ApplicationsTest, WithoutAClassTheWindowsOfOneXClientAreOneApplication) {
  startClient({"title=C1;size=300x200;at=20,20;noclass;nopid",
               "title=C2;size=300x200;at=600,40;noclass;nopid"},
              {"C1", "C2"});
  startClient({"title=D1;size=300x200;at=1000,600;noclass;nopid"}, {"D1"});
  const Frame other = frameOf("D1");
  ASSERT_TRUE(session->activate(*session->windowTitled("C1")));
  startCorvella();
  // No class, so no name: "?" stands for it.
  EXPECT_EQ(session->pressForEntry({super, alt, a}), columns("tileAppColumns ? ×2", {"C1", "C2"}));
  EXPECT_EQ(frameOf("D1"), other);
}

}  // namespace
}  // namespace corvella::e2e
