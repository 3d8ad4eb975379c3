// Shortcuts as Linux desktops write them: Ctrl, Alt, Shift, Super, then the
// key's X name or the layout's character.
#include <gtest/gtest.h>

#include <string>

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

TEST_F(LinuxShortcutTextTest, TheBuiltInShortcutsInTheirLinuxSpelling) {
  const char* expected[] = {
      "Alt+Super+Left",        "Alt+Super+Right",
      "Alt+Super+Up",          "Alt+Super+Down",
      "Ctrl+Super+Left",       "Ctrl+Super+Right",
      "Ctrl+Shift+Super+Left", "Ctrl+Shift+Super+Right",
      "Ctrl+Alt+Right",        "Ctrl+Alt+Left",
      "Alt+Super+F",           "Alt+Super+C",
      "Ctrl+Alt+Shift+Right",  "Ctrl+Alt+Shift+Left",
      "Ctrl+Alt+Super+Right",  "Ctrl+Alt+Super+Left",
      "Alt+Super+Z",           "Alt+Shift+Super+Z",
      "Alt+Super+A",           "Alt+Shift+Super+A",
  };
  std::size_t row = 0;
  for (const ActionShortcut& shortcut : defaultShortcuts()) {
    EXPECT_EQ(linuxShortcutText(shortcut.shortcut, platform.keyboardLayout), expected[row])
        << rawValue(shortcut.action);
    ++row;
  }
}

TEST_F(LinuxShortcutTextTest, ModifiersComeInOneOrderAndKeysByTheirNames) {
  EXPECT_EQ(text(0, control | option | shift | command), "Ctrl+Alt+Shift+Super+A");
  EXPECT_EQ(text(0, command | shift | option | control | capsLock), "Ctrl+Alt+Shift+Super+A");
  EXPECT_EQ(text(3, 0), "F");
  EXPECT_EQ(text(18, control | option), "Ctrl+Alt+1");
  EXPECT_EQ(text(43, command), "Super+,");
  const std::pair<std::uint32_t, const char*> named[] = {
      {36, "Return"},     {48, "Tab"},     {49, "Space"},    {51, "BackSpace"}, {53, "Escape"},
      {117, "Delete"},    {114, "Insert"}, {115, "Home"},    {119, "End"},      {116, "Page_Up"},
      {121, "Page_Down"}, {125, "Down"},   {126, "Up"},      {122, "F1"},       {120, "F2"},
      {99, "F3"},         {96, "F5"},      {111, "F12"},     {64, "F17"},       {90, "F20"},
      {82, "KP_0"},       {92, "KP_9"},    {76, "KP_Enter"}, {69, "KP_Add"},    {78, "KP_Subtract"},
      {65, "KP_Decimal"},
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

}  // namespace
}  // namespace corvella
