// What the core gives a Linux desktop beyond the macOS menu: the hot key
// each menu item runs, and the one line that says no status item could be
// shown.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app_test_harness.h"

namespace corvella {
namespace {

using testing_support::AppHarness;

constexpr std::uint64_t control = 0x40000, option = 0x80000, shift = 0x20000, command = 0x100000;

class LinuxDesktopTest : public testing::Test, protected AppHarness {};

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
