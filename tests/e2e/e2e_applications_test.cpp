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

struct Grouping {
  const char* name;
  // One test client each; a window's fields besides title, size and place.
  std::vector<std::vector<std::pair<std::string, std::string>>> clients;
  std::string focused, header;
  std::vector<std::string> tiled;
  std::string bystander;
  friend void PrintTo(const Grouping& grouping, std::ostream* out) { *out << grouping.name; }
};

class ApplicationsTest : public DesktopTest, public testing::WithParamInterface<Grouping> {};

TEST_P(ApplicationsTest, TilingTakesTheWindowsOfTheFrontApplicationOnly) {
  const Grouping& grouping = GetParam();
  int x = 20;
  for (const auto& client : grouping.clients) {
    std::vector<std::string> windows;
    std::size_t saysItsProcess = 0;
    for (const auto& [title, fields] : client) {
      windows.push_back("title=" + title + ";size=300x200;at=" + std::to_string(x) + ",40;" +
                        fields);
      saysItsProcess += fields.find("nopid") == std::string::npos;
      x += 380;
    }
    // Windows without _NET_WM_PID are not counted by process: wait by title.
    ASSERT_NE(session->startTestClient(windows, saysItsProcess), nullptr) << session->why();
    ASSERT_TRUE(session->waitUntil([&] {
      for (const auto& window : client) {
        if (!session->windowTitled(window.first)) return false;
      }
      return true;
    })) << "not all of the windows were managed";
  }
  const Frame bystander = frameOf(grouping.bystander);
  ASSERT_TRUE(session->activate(*session->windowTitled(grouping.focused)));
  startCorvella();

  std::vector<std::pair<Frame, std::string>> columns;
  const int width = 1440 / static_cast<int>(grouping.tiled.size());
  for (const auto& title : grouping.tiled) {
    columns.push_back({{width * static_cast<int>(columns.size()), 0, width, 900}, title});
  }
  EXPECT_EQ(session->pressForEntry({super, alt, a}), okEntry(grouping.header, columns));
  EXPECT_EQ(frameOf(grouping.bystander), bystander);
}

INSTANTIATE_TEST_SUITE_P(
    Groupings, ApplicationsTest,
    testing::Values(
        Grouping{
            "ByClassWithoutProcessIdentifiers",
            {{{"Other", "class=Other;nopid"}},
             {{"T1", "class=Wish;nopid"}, {"T2", "class=Wish;nopid"}, {"T3", "class=Wish;nopid"}}},
            "T2",
            "tileAppColumns Wish ×3",
            {"T1", "T2", "T3"},
            "Other"},
        Grouping{"OneClassFromTwoProcesses",
                 {{{"Left", "class=Term"}}, {{"Right", "class=Term"}}, {{"Else", "class=Else"}}},
                 "Right",
                 "tileAppColumns Term ×2",
                 {"Left", "Right"},
                 "Else"},
        // No class, so no name: "?" stands for it.
        Grouping{"WithoutAClassOneXClient",
                 {{{"C1", "noclass;nopid"}, {"C2", "noclass;nopid"}}, {{"D1", "noclass;nopid"}}},
                 "C1",
                 "tileAppColumns ? ×2",
                 {"C1", "C2"},
                 "D1"}),
    [](const testing::TestParamInfo<Grouping>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace corvella::e2e
