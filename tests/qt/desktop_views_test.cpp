// The tray menu, the settings window and the key capture as the desktop
// draws and drives them: the menu rebuilt from the core's list on every
// opening with the Linux spelling of each hot key, a choice run on a later
// turn on the window focused when the menu opened, the settings window made
// once and only hidden on close, and Qt key events in virtual key codes.
#include <gtest/gtest.h>

#include <QAction>
#include <QTabWidget>
#include <QTest>
#include <algorithm>
#include <string>
#include <vector>

#include "desktop_harness.h"
#include "platform/qt/key_translation.h"

namespace corvella {
namespace {

using testing_support::DesktopHarness;
using Strings = std::vector<std::string>;

// "---" for a separator, "[Title]" for a disabled title, "✓ " before a
// checked item, the shortcut column after " | ".
Strings describe(const QMenu& menu) {
  Strings lines;
  for (const QAction* action : menu.actions()) {
    if (action->isSeparator()) {
      lines.push_back("---");
      continue;
    }
    std::string text = action->text().replace('\t', " | ").toStdString();
    if (!action->isEnabled()) text = "[" + text + "]";
    if (action->isChecked()) text = "✓ " + text;
    lines.push_back(text);
  }
  return lines;
}

class StatusMenuTest : public testing::Test, protected DesktopHarness {
 protected:
  void SetUp() override {
    platform.desktop.addApplication(7, "Notes");
    draft = platform.desktop.addWindow(7, {100, 100, 800, 600}, "Draft");
    platform.desktop.setFrontmostApplication(7);
    platform.defaults.seedData(
        "gridLayouts", R"([{"id":"AAAAAAAA-0000-4000-8000-000000000001","columns":3,"rows":2},)"
                       R"({"id":"AAAAAAAA-0000-4000-8000-000000000002","columns":2,"rows":2,)"
                       R"("shortcut":{"keyCode":18,"modifiers":786432}}])");
    delegate().applicationDidFinishLaunching();
  }
  QMenu& menu() { return desktop.tray().menu(); }
  void open() { emit menu().aboutToShow(); }
  void choose(const std::string& title) {
    for (QAction* action : menu().actions()) {
      if (action->text().section('\t', 0, 0).toStdString() == title) {
        action->trigger();
        return;
      }
    }
    ADD_FAILURE() << "no item " << title;
  }

  sim::SimWindowId draft = 0;
};

TEST_F(StatusMenuTest, EveryOpeningDrawsTheCoresListWithLinuxHotKeys) {
  // The list itself is the core's (pinned there); here: how each kind of
  // item is drawn, in the core's order.
  open();
  Strings lines = describe(menu());
  ASSERT_EQ(lines.size(), 37u);
  EXPECT_EQ(Strings(lines.begin(), lines.begin() + 3),
            (Strings{"Accessibility: Allowed", "---", "Left Half | Alt+Super+Left"}));
  EXPECT_EQ(lines[9], "Bottom Left | Ctrl+Shift+Super+Left");
  EXPECT_EQ(Strings(lines.begin() + 18, lines.begin() + 21),
            (Strings{"[App Window Grids]", "6-way Split (3×2)", "4-way Split (2×2) | Ctrl+Alt+1"}));
  EXPECT_EQ(lines[24], "Larger | Ctrl+Alt+Shift+Right");
  EXPECT_EQ(Strings(lines.end() - 4, lines.end()),
            (Strings{"Settings…", "Launch at Login", "---", "Quit Corvella"}));

  // The next opening shows the state of that moment.
  platform.loginItem.setStatus(LoginItemStatus::enabled);
  store().removeLayout(store().layouts()[0].id);
  open();
  lines = describe(menu());
  EXPECT_EQ(Strings(lines.begin() + 18, lines.begin() + 21),
            (Strings{"[App Window Grids]", "4-way Split (2×2) | Ctrl+Alt+1", "---"}));
  EXPECT_EQ(lines.at(lines.size() - 3), "✓ Launch at Login");
  EXPECT_EQ(lines.size(), 36u);
}

TEST_F(StatusMenuTest, AChoiceRunsOnALaterTurnOnTheWindowFocusedAsTheMenuOpened) {
  open();
  choose("Left Half");
  EXPECT_EQ(platform.desktop.frame(draft), (Rect{100, 100, 800, 600})) << "not yet";
  EXPECT_TRUE(events.empty());
  platform.mainQueue.runUntilIdle();
  EXPECT_EQ(events, (Strings{"focus 1"}));
  EXPECT_EQ(platform.desktop.frame(draft), (Rect{0, 25, 720, 875}));

  open();
  choose("4-way Split (2×2)");
  choose("Launch at Login");
  platform.mainQueue.runUntilIdle();
  EXPECT_EQ(platform.desktop.frame(draft), (Rect{0, 25, 720, 438}));
  EXPECT_EQ(platform.loginItem.registerCount(), 1u);
  EXPECT_EQ(events, (Strings{"focus 1", "focus 2", "focus 2"}));

  choose("Quit Corvella");
  EXPECT_EQ(events.back(), "focus 2");
  platform.mainQueue.runUntilIdle();
  EXPECT_EQ(events.back(), "quit");
}

TEST_F(StatusMenuTest, SettingsItemOpensOneWindowThatClosingOnlyHides) {
  open();
  choose("Settings…");
  platform.mainQueue.runUntilIdle();
  QWidget* window = desktop.settingsWindowUI().window();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->windowTitle(), "Corvella Settings");
  EXPECT_EQ(window->width(), 620);
  EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "not resizable";
  EXPECT_FALSE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(window->windowFlags() & Qt::WindowCloseButtonHint);
  auto* tabs = window->findChild<QTabWidget*>("tabs");
  ASSERT_NE(tabs, nullptr);
  EXPECT_EQ(tabs->count(), 1);
  EXPECT_EQ(tabs->tabText(0), "Grids");

  EXPECT_TRUE(window->close());
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(desktop.settingsWindowUI().window(), window) << "kept for the next opening";

  delegate().openSettings();
  EXPECT_EQ(desktop.settingsWindowUI().window(), window);
  EXPECT_TRUE(window->isVisible());
}

TEST(KeyTranslation, PhysicalKeysFromXKeyCodesElseTheQtKeyOnAUSKeyboard) {
  struct Case {
    int key;
    quint32 scanCode;
    Qt::KeyboardModifiers modifiers;
    std::optional<KeyEvent> expected;
  };
  const Case cases[] = {
      // X key codes are evdev codes + 8: 38 is the key of A, whatever it types.
      {Qt::Key_Q, 38, Qt::NoModifier, KeyEvent{0, 0}},
      {Qt::Key_Left, 113, Qt::AltModifier | Qt::MetaModifier, KeyEvent{123, 0x180000}},
      {Qt::Key_1, 10, Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier,
       KeyEvent{18, 0xE0000}},
      {Qt::Key_Escape, 9, Qt::NoModifier, KeyEvent{53, 0}},
      {Qt::Key_Backspace, 22, Qt::NoModifier, KeyEvent{51, 0}},
      {Qt::Key_unknown, 3, Qt::NoModifier, std::nullopt},  // below the evdev range
      // Without an X key code (a synthesized event).
      {Qt::Key_A, 0, Qt::MetaModifier, KeyEvent{0, 0x100000}},
      {Qt::Key_Z, 0, Qt::NoModifier, KeyEvent{6, 0}},
      {Qt::Key_0, 0, Qt::NoModifier, KeyEvent{29, 0}},
      {Qt::Key_Delete, 0, Qt::NoModifier, KeyEvent{117, 0}},
      {Qt::Key_F5, 0, Qt::NoModifier, KeyEvent{96, 0}},
      {Qt::Key_Down, 0, Qt::KeypadModifier, KeyEvent{125, 0}},
      {Qt::Key_Launch0, 0, Qt::NoModifier, std::nullopt},
      // A modifier pressed alone is no key-down of its own.
      {Qt::Key_Control, 37, Qt::ControlModifier, std::nullopt},
      {Qt::Key_Super_L, 133, Qt::MetaModifier, std::nullopt},
      {Qt::Key_Shift, 0, Qt::ShiftModifier, std::nullopt},
  };
  for (const Case& c : cases) {
    const auto got = qt::keyDownFromQt(c.key, c.scanCode, c.modifiers);
    ASSERT_EQ(got.has_value(), c.expected.has_value()) << c.key << " " << c.scanCode;
    if (!got) continue;
    EXPECT_EQ(got->keyCode, c.expected->keyCode) << c.key << " " << c.scanCode;
    EXPECT_EQ(got->modifierFlags, c.expected->modifierFlags) << c.key << " " << c.scanCode;
  }
}

TEST(NoTray, ShortcutsStayAndOneLineSaysHowToReachTheSettings) {
  // The offscreen platform has no system tray.
  DesktopHarness harness(nullptr, {.attempts = 3, .intervalMilliseconds = 1});
  harness.delegate().applicationDidFinishLaunching();
  const std::string line =
      "상태 항목 표시 불가 — 시스템 트레이 없음 (단축키는 그대로 동작, 설정 창: corvella "
      "--settings)";
  EXPECT_TRUE(QTest::qWaitFor(
      [&] {
        const auto messages = harness.logMessages();
        return !messages.empty() && messages.back() == line;
      },
      5000));
  const auto lines = harness.logMessages();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), line), 1);
  EXPECT_EQ(harness.platform.hotKeyService.registrations().size(), 20u);
}

}  // namespace
}  // namespace corvella
