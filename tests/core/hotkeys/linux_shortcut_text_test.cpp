// Shortcuts as Linux desktops write them: Ctrl, Alt, Shift, Super, then the
// key's X name or the layout's character; corvella(1) names every action
// with its built-in shortcut spelled so, and the two must not drift apart.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/hotkeys/default_shortcuts.h"
#include "core/hotkeys/linux_shortcut_text.h"
#include "platform/sim/sim_platform.h"

namespace corvella {
namespace {

using namespace ModifierFlag;

class LinuxShortcutTextTest : public ::testing::Test {
 protected:
  std::string text(std::uint32_t keyCode, std::uint64_t modifiers) {
    return linuxShortcutText(Shortcut{keyCode, modifiers}, platform.keyboardLayout);
  }
  sim::SimPlatform platform;
};

TEST_F(LinuxShortcutTextTest, ModifiersComeInOneOrderAndKeysByTheirNames) {
  EXPECT_EQ(text(0, control | option | shift | command), "Ctrl+Alt+Shift+Super+A");
  EXPECT_EQ(text(0, command | shift | option | control | capsLock), "Ctrl+Alt+Shift+Super+A");
  EXPECT_EQ(text(3, 0), "F");
  EXPECT_EQ(text(18, control | option), "Ctrl+Alt+1");
  EXPECT_EQ(text(43, command), "Super+,");
  const std::pair<std::uint32_t, const char*> named[] = {
      {36, "Return"},      {48, "Tab"},        {49, "Space"}, {51, "BackSpace"}, {53, "Escape"},
      {117, "Delete"},     {114, "Insert"},    {115, "Home"}, {119, "End"},      {116, "Page_Up"},
      {121, "Page_Down"},  {125, "Down"},      {126, "Up"},   {122, "F1"},       {120, "F2"},
      {99, "F3"},          {118, "F4"},        {96, "F5"},    {111, "F12"},      {64, "F17"},
      {90, "F20"},         {82, "KP_0"},       {92, "KP_9"},  {76, "KP_Enter"},  {69, "KP_Add"},
      {78, "KP_Subtract"}, {65, "KP_Decimal"},
  };
  for (const auto& [keyCode, name] : named) {
    EXPECT_EQ(text(keyCode, control), std::string("Ctrl+") + name) << keyCode;
  }
}

TEST_F(LinuxShortcutTextTest, TheCharacterFollowsTheLayoutAndANamelessKeyShowsItsCode) {
  platform.keyboardLayout.overrideKey(0, "q");  // French: the A key types q
  platform.keyboardLayout.overrideKey(12, "ä");
  EXPECT_EQ(text(0, option | command), "Alt+Super+Q");
  EXPECT_EQ(text(12, control), "Ctrl+Ä");
  EXPECT_EQ(text(105, command), "Super+F13");  // named even without a layout name
  EXPECT_EQ(text(200, command), "Super+#200");
  platform.keyboardLayout.setLayout(sim::SimKeyboardLayout::Layout::none);
  EXPECT_EQ(text(3, option), "Alt+#3");
  EXPECT_EQ(text(124, option), "Alt+Right");
}

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
