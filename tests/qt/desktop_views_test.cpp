// Qt views clicked and typed at with Qt Test over the core on a simulated platform. Each model's
// rules are the core's tests'; the tray without a host and adding a grid are end to end.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QTabWidget>
#include <QTest>
#include <string>
#include <tuple>
#include <vector>

#include "core/app/corvella.h"
#include "platform/qt/desktop_interface.h"
#include "platform/qt/key_translation.h"
#include "platform/sim/sim_platform.h"

namespace corvella {
namespace {

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

// Launched over layouts A 3×2, B 12×1 with ⌃⌥1 (key code 18) and C 1×12 and
// one front window; a menu choice's window is "focus N" for the Nth opening.
class DesktopViewsTest : public testing::Test {
 protected:
  DesktopViewsTest() {
    desktop.attach(app, qt::DesktopInterface::Surroundings{
                            .mainQueue = platform.mainQueue,
                            .rememberFocus = [this]() -> std::function<void()> {
                              const std::string name = "focus " + std::to_string(++menuOpenings);
                              return [this, name] { events.push_back(name); };
                            },
                            .quit = [this] { events.push_back("quit"); },
                        });
    platform.desktop.addApplication(7, "Notes");
    draft = platform.desktop.addWindow(7, {100, 100, 800, 600}, "Draft");
    platform.desktop.setFrontmostApplication(7);
    platform.defaults.seedData(
        "gridLayouts", R"([{"id":"0B9C6A52-7E4D-4F8B-9A1C-2D3E4F5A6B7C","columns":3,"rows":2},)"
                       R"({"id":"1C2D3E4F-5A6B-4C7D-8E9F-0A1B2C3D4E5F","columns":12,"rows":1,)"
                       R"("shortcut":{"keyCode":18,"modifiers":786432}},)"
                       R"({"id":"2D3E4F5A-6B7C-4D8E-9FA0-B1C2D3E4F5A6","columns":1,"rows":12}])");
    app.delegate().applicationDidFinishLaunching();
  }
  ~DesktopViewsTest() { desktop.detach(); }

  GridLayoutStore& store() { return app.services().gridLayoutStore(); }

  // Lets the page redraw (it does so on a later turn).
  static void settle() { QCoreApplication::processEvents(); }

  sim::SimPlatform platform{"/sim/Logs"};
  // The offscreen platform has no tray: one attempt, and no retry in a test's time.
  qt::DesktopInterface desktop{{.attempts = 1, .intervalMilliseconds = 3600000}};
  PlatformServices services{desktop.services(platform.services())};
  Corvella app{services};
  int menuOpenings = 0;
  Strings events;

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

  qt::GridRowWidget& row(std::size_t index) { return *page().rowWidgets().at(index); }
  qt::GridSettingsPage& page() {
    if (!page_) {
      app.delegate().openSettings();  // as the menu does
      page_ = desktop.settingsContent()->gridPage();
    }
    return *page_;
  }
  QWidget& window() { return *desktop.settingsWindowUI().window(); }
  std::size_t registeredHotKeys() { return platform.hotKeyService.registrations().size(); }

  sim::SimWindowId draft = 0;

 private:
  qt::GridSettingsPage* page_ = nullptr;
};

TEST_F(DesktopViewsTest, EveryOpeningDrawsTheCoresListWithLinuxHotKeys) {
  open();
  Strings lines = describe(menu());
  ASSERT_EQ(lines.size(), 38u);
  EXPECT_EQ(Strings(lines.begin(), lines.begin() + 3),
            (Strings{"Accessibility: Allowed", "---", "Left Half | Alt+Super+Left"}));
  EXPECT_EQ(Strings(lines.begin() + 18, lines.begin() + 22),
            (Strings{"[App Window Grids]", "6-way Split (3×2)", "12-way Split (12×1) | Ctrl+Alt+1",
                     "12-way Split (1×12)"}));
  EXPECT_EQ(Strings(lines.end() - 4, lines.end()),
            (Strings{"Settings…", "Launch at Login", "---", "Quit Corvella"}));

  // The next opening shows the state of that moment.
  platform.loginItem.setStatus(LoginItemStatus::enabled);
  store().removeLayout(store().layouts()[0].id);
  open();
  lines = describe(menu());
  EXPECT_EQ(Strings(lines.begin() + 18, lines.begin() + 22),
            (Strings{"[App Window Grids]", "12-way Split (12×1) | Ctrl+Alt+1",
                     "12-way Split (1×12)", "---"}));
  EXPECT_EQ(lines.at(lines.size() - 3), "✓ Launch at Login");
  EXPECT_EQ(lines.size(), 37u);
}

TEST_F(DesktopViewsTest, AChoiceRunsLaterOnTheWindowFocusedAsTheMenuOpenedAndSettingsOpensOne) {
  open();
  choose("Left Half");
  EXPECT_EQ(platform.desktop.frame(draft), (Rect{100, 100, 800, 600})) << "not yet";
  EXPECT_TRUE(events.empty());
  platform.mainQueue.runUntilIdle();
  EXPECT_EQ(platform.desktop.frame(draft), (Rect{0, 25, 720, 875}));
  // Each choice of an opening takes the focus of that opening first.
  open();
  choose("6-way Split (3×2)");
  choose("Quit Corvella");
  platform.mainQueue.runUntilIdle();
  EXPECT_EQ(platform.desktop.frame(draft), (Rect{0, 25, 480, 438}));
  EXPECT_EQ(events, (Strings{"focus 1", "focus 2", "focus 2", "quit"}));

  // Settings… opens one window (end to end), which closing only hides.
  page();
  QWidget* const settings = &window();
  EXPECT_EQ(settings->width(), 620);
  EXPECT_EQ(settings->minimumSize(), settings->maximumSize()) << "not resizable";
  EXPECT_FALSE(settings->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(settings->windowFlags() & Qt::WindowCloseButtonHint);
  auto* tabs = settings->findChild<QTabWidget*>("tabs");
  ASSERT_TRUE(tabs && tabs->count() == 1);
  EXPECT_EQ(tabs->tabText(0), "Grids");

  EXPECT_TRUE(settings->close());
  EXPECT_FALSE(settings->isVisible());
  EXPECT_EQ(&window(), settings) << "kept for the next opening";
}

TEST_F(DesktopViewsTest, EachStepperClickRegistersTheHotKeysAgainAndTheModelSetsWhereItStops) {
  const std::size_t registrationsBefore = platform.hotKeyService.registerCallCount();
  QTest::mouseClick(&row(0).columns().upButton(), Qt::LeftButton);
  settle();
  EXPECT_EQ(row(0).title().text(), "8-way Split");
  EXPECT_EQ(row(0).columns().findChild<QLabel*>("label")->text(), "Columns 4");
  // Twenty actions and B's grid, once for the click.
  EXPECT_EQ(platform.hotKeyService.registerCallCount() - registrationsBefore, 21u);

  // B has twelve columns, C one column; where each stops is the model's.
  EXPECT_FALSE(row(1).columns().upButton().isEnabled());
  EXPECT_FALSE(row(2).columns().downButton().isEnabled());
}

TEST_F(DesktopViewsTest, RecorderTakesTheWindowsOwnKeysRefusesWithACaptionAndEscapeCancels) {
  QTest::mouseClick(&row(0).recorder(), Qt::LeftButton);
  settle();
  EXPECT_EQ(row(0).recorder().text(), "Press keys…");
  EXPECT_EQ(registeredHotKeys(), 0u) << "paused while recording";
  EXPECT_TRUE(desktop.keyEventMonitor().isGrabbing()) << "the keyboard goes to the window";
  // Hiding the window lets go of the keyboard; the recording goes on (the
  // hot keys stay paused) and takes the keyboard again when shown.
  window().hide();
  EXPECT_FALSE(desktop.keyEventMonitor().isGrabbing());
  EXPECT_EQ(registeredHotKeys(), 0u);
  window().show();
  EXPECT_TRUE(desktop.keyEventMonitor().isGrabbing());

  QTest::keyClick(&window(), Qt::Key_A, Qt::ShiftModifier);
  settle();
  EXPECT_EQ(row(0).message().text(), "Use with at least one of ⌘, ⌥ or ⌃.");
  EXPECT_TRUE(row(0).message().isVisible());
  EXPECT_EQ(row(0).recorder().text(), "Press keys…");
  const QColor caption = row(0).message().palette().color(QPalette::WindowText);
  EXPECT_TRUE(caption.red() > 150 && caption.green() < 80 && caption.blue() < 80) << "red";
  EXPECT_TRUE(row(0).message().alignment() & Qt::AlignRight);
  EXPECT_FALSE(row(1).message().isVisible()) << "only the recording row";
  QTest::keyClick(&window(), Qt::Key_Escape, Qt::ControlModifier);
  settle();
  EXPECT_FALSE(row(0).message().isVisible());
  EXPECT_EQ(row(0).recorder().text(), "Record Shortcut");
  EXPECT_EQ(registeredHotKeys(), 21u);

  // Ctrl+W closes the window, but not while recording: it is recorded.
  QTest::mouseClick(&row(0).recorder(), Qt::LeftButton);
  QTest::keyClick(&window(), Qt::Key_W, Qt::ControlModifier);
  settle();
  EXPECT_TRUE(window().isVisible());
  EXPECT_EQ(store().layouts()[0].shortcut, (Shortcut{13, 0x40000}));
  EXPECT_EQ(row(0).recorder().text(), "⌃W");
  EXPECT_FALSE(desktop.keyEventMonitor().isGrabbing());
  EXPECT_EQ(registeredHotKeys(), 22u) << "twenty actions and two grids, resumed";
}

TEST_F(DesktopViewsTest, RemoveTakesItsRowAwayOnce) {
  QTest::mouseClick(&row(0).remove(), Qt::LeftButton);
  settle();
  ASSERT_EQ(page().rowWidgets().size(), 2u);
  EXPECT_EQ(row(0).title().text(), "12-way Split");
}

TEST(KeyTranslation, PhysicalKeysFromXKeyCodesElseTheQtKeyOnAUSKeyboard) {
  using Key = std::optional<std::pair<int, std::uint64_t>>;
  const std::tuple<int, quint32, Qt::KeyboardModifiers, Key> cases[] = {
      // X key codes are evdev codes + 8: 38 is the key of A, whatever it types.
      {Qt::Key_Q, 38, Qt::NoModifier, Key({0, 0})},
      {Qt::Key_Left, 113, Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier,
       Key({123, 0xE0000})},
      // Without an X key code (a synthesized event).
      {Qt::Key_A, 0, Qt::MetaModifier, Key({0, 0x100000})},
      {Qt::Key_0, 0, Qt::NoModifier, Key({29, 0})},
      {Qt::Key_F5, 0, Qt::NoModifier, Key({96, 0})},
      {Qt::Key_Down, 0, Qt::KeypadModifier, Key({125, 0})},
      {Qt::Key_Launch0, 0, Qt::NoModifier, std::nullopt},
      // A modifier pressed alone is no key-down of its own.
      {Qt::Key_Control, 37, Qt::ControlModifier, std::nullopt},
  };
  for (const auto& [key, scanCode, modifiers, expected] : cases) {
    const auto got = qt::keyDownFromQt(key, scanCode, modifiers);
    EXPECT_EQ(got ? Key({got->keyCode, got->modifierFlags}) : std::nullopt, expected)
        << key << " " << scanCode;
  }
}

}  // namespace
}  // namespace corvella
