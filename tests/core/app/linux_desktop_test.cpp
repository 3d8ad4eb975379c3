// What the core gives a Linux desktop beyond the macOS menu: hot keys spelled
// the Linux way, the hot key each menu item runs, and the one line that says
// no status item could be shown.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app_test_harness.h"
#include "core/hotkeys/linux_spelling.h"

namespace corvella {
namespace {

using testing_support::AppHarness;

constexpr std::uint64_t control = 0x40000, option = 0x80000, shift = 0x20000, command = 0x100000;

class LinuxDesktopTest : public testing::Test, protected AppHarness {
 protected:
  std::string spelled(Shortcut shortcut) {
    return linuxSpelling(shortcut, platform.keyboardLayout);
  }
};

TEST_F(LinuxDesktopTest, ModifiersInTheDisplayOrderThenTheKeysName) {
  const std::vector<std::pair<Shortcut, std::string>> cases{
      {{123, option | command}, "Alt+Super+Left"},
      {{124, control | option}, "Ctrl+Alt+Right"},
      {{125, option | command}, "Alt+Super+Down"},
      {{126, option | command}, "Alt+Super+Up"},
      {{0, control | option | shift | command}, "Ctrl+Alt+Shift+Super+A"},
      {{6, option | shift | command}, "Alt+Shift+Super+Z"},
      {{18, control | option}, "Ctrl+Alt+1"},
      {{3, 0}, "F"},
      // Keys that type no character are named, never left empty.
      {{36, command}, "Super+Return"},
      {{48, option}, "Alt+Tab"},
      {{49, control}, "Ctrl+Space"},
      {{51, command}, "Super+Backspace"},
      {{117, command}, "Super+Delete"},
      {{53, control}, "Ctrl+Escape"},
      {{122, option}, "Alt+F1"},
      {{111, option}, "Alt+F12"},
      {{90, option}, "Alt+F20"},
      {{116, control}, "Ctrl+PageUp"},
      {{121, control}, "Ctrl+PageDown"},
      {{115, command}, "Super+Home"},
      {{119, command}, "Super+End"},
      {{76, command}, "Super+Enter"},
      // Characters in upper case, as the layout types them.
      {{43, control}, "Ctrl+,"},
      {{10, control}, "Ctrl+§"},
      // No key name at all.
      {{0xFFFF, option}, "Alt+#65535"},
  };
  for (const auto& [shortcut, text] : cases) EXPECT_EQ(spelled(shortcut), text) << text;
}

TEST_F(LinuxDesktopTest, CharacterKeysFollowTheCurrentLayout) {
  // The key at the position of the US A types q on a French layout.
  platform.keyboardLayout.overrideKey(0, "q");
  platform.keyboardLayout.overrideKey(12, "a");
  EXPECT_EQ(spelled({0, option | command}), "Alt+Super+Q");
  EXPECT_EQ(spelled({12, option | command}), "Alt+Super+A");
  EXPECT_EQ(spelled({0x00, 0}), "Q");
  // The arrows keep their names on every layout.
  platform.keyboardLayout.setLayout(sim::SimKeyboardLayout::Layout::none);
  EXPECT_EQ(spelled({123, option | command}), "Alt+Super+Left");
  EXPECT_EQ(spelled({0, option | command}), "Alt+Super+#0");
}

TEST_F(LinuxDesktopTest, MenuItemsCarryTheHotKeyTheyRunAndFixedItemsNone) {
  std::vector<GridLayout> layouts = services.gridLayoutStore().layouts();
  layouts[1].shortcut = Shortcut{18, control | option};
  services.gridLayoutStore().setLayouts(layouts);

  const std::vector<MenuItem> menu = delegate->buildMenu();
  auto item = [&](const std::string& title) {
    auto found = std::find_if(menu.begin(), menu.end(),
                              [&](const MenuItem& candidate) { return candidate.title == title; });
    return found == menu.end() ? MenuItem{} : *found;
  };
  EXPECT_EQ(item("Left Half").hotKey, (Shortcut{123, option | command}));
  EXPECT_EQ(item("Previous Third").hotKey, (Shortcut{123, control | option}));
  EXPECT_EQ(item("Redo").hotKey, (Shortcut{6, option | shift | command}));
  EXPECT_EQ(item("8-way Split (4×2)").hotKey, (Shortcut{18, control | option}));
  EXPECT_EQ(item("6-way Split (3×2)").hotKey, std::nullopt);
  // ⌘, and ⌘Q act only inside a focused menu bar: no hot key.
  EXPECT_EQ(item("Settings…").hotKey, std::nullopt);
  EXPECT_EQ(item("Quit Corvella").hotKey, std::nullopt);
  EXPECT_EQ(item("Launch at Login").hotKey, std::nullopt);
}

TEST_F(LinuxDesktopTest, NoStatusItemIsLoggedOnceWithTheWayToTheSettings) {
  delegate->applicationDidFinishLaunching();
  delegate->statusItemUnavailable();
  delegate->statusItemUnavailable();
  EXPECT_EQ(logMessages(),
            (std::vector<std::string>{
                "시작 — 권한=true 단축키 실패=0", "자동 업데이트 — 꺼짐(피드 주소 없음)",
                "상태 항목 표시 불가 — 시스템 트레이 없음 (단축키는 그대로 동작, 설정 창: "
                "corvella --settings)"}));
}

}  // namespace
}  // namespace corvella
