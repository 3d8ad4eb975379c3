// corvella(1) names every action with its built-in shortcut, as status and
// list spell it: the page and the program must not drift apart.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/hotkeys/default_shortcuts.h"
#include "core/hotkeys/linux_shortcut_text.h"
#include "platform/sim/sim_platform.h"

namespace corvella {
namespace {

// The rows of the page's ACTIONS table: "name<TAB>shortcut<TAB>what it does".
std::vector<std::pair<std::string, std::string>> actionRows() {
  const auto page = std::filesystem::path(__FILE__).parent_path() / "../../../doc/corvella.1";
  std::ifstream stream(page);
  EXPECT_TRUE(stream.is_open()) << page;
  std::vector<std::pair<std::string, std::string>> rows;
  bool inTable = false;
  for (std::string line; std::getline(stream, line);) {
    if (line == ".SH ACTIONS") inTable = true;
    if (!inTable) continue;
    if (line == ".TE") break;
    const auto first = line.find('\t');
    if (first == std::string::npos || line[0] == '.') continue;
    const auto second = line.find('\t', first + 1);
    rows.emplace_back(line.substr(0, first), line.substr(first + 1, second - first - 1));
  }
  return rows;
}

TEST(ManualPageTest, TheActionsTableListsEveryActionWithItsShortcutInOrder) {
  sim::SimPlatform platform;
  const auto rows = actionRows();
  ASSERT_EQ(rows.size(), defaultShortcuts().size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const ActionShortcut& row = defaultShortcuts()[i];
    EXPECT_EQ(rows[i].first, rawValue(row.action));
    EXPECT_EQ(rows[i].second, linuxShortcutText(row.shortcut, platform.keyboardLayout))
        << rows[i].first;
  }
}

}  // namespace
}  // namespace corvella
