// The tray menu and the settings window on a desktop with a tray (tint2),
// used as a person does: a click on the icon, keys in the menu and the window.

#include "e2e_fixture.h"
#include "tray_desktop.h"

namespace corvella::e2e {
namespace {

namespace fs = std::filesystem;
using namespace keys;

// Items counted from the top with Down (the first is the Accessibility
// item) or from the bottom with Up (the last is Quit).
constexpr int leftHalfItem = 2, rightHalfItem = 3, firstGridItem = 14;
constexpr int launchAtLoginItem = -2, settingsItem = -3;
constexpr std::uint8_t tab = 23, space = 65, two = 11;

class TrayTest : public DesktopTest {
 protected:
  void SetUp() override {
    DesktopTest::SetUp();
    tray = std::make_unique<TrayDesktop>(*session);
    ASSERT_TRUE(tray->startHost()) << "tint2 did not take the tray";
  }
  // Two windows of one application, the right one focused, and corvella.
  void startDesktop(const std::vector<std::string>& arguments, Environment environment) {
    environment["LC_ALL"] = "C.UTF-8";
    startFocused({"title=Left;size=400x300;at=100,100", "title=Right;size=400x300;at=700,120"},
                 "Right", arguments, environment);
  }
  std::string chooseForEntry(int item) {
    return session->entryAfter([&] { ASSERT_TRUE(tray->choose(item)) << "no menu"; });
  }
  // Waits until the settings window is shown and has the focus.
  bool settingsFocused() {
    return session->waitUntil([&] {
      auto settings = session->windowTitled("Corvella Settings");
      return settings && session->activeWindow() == settings;
    });
  }
  static std::string firstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

  std::unique_ptr<TrayDesktop> tray;
};

TEST_F(TrayTest, MenuChoicesTheIconAfterATrayRestartLaunchAtLoginAndAGridMadeInTheSettings) {
  // "Installed" links to the corvella under test sit in two folders on its PATH.
  const fs::path first = session->folder() / "installed/first/corvella";
  const fs::path second = session->folder() / "installed/second/corvella";
  for (const fs::path& program : {first, second}) fs::create_directories(program.parent_path());
  fs::create_symlink(XSession::corvellaProgram(), first);
  const char* path = std::getenv("PATH");
  session->writeDefaults(R"({"gridLayouts": {"data": "[]"}})");
  startDesktop({}, {{"PATH", first.parent_path().string() + ":" + second.parent_path().string() +
                                 ":" + (path ? path : "/usr/bin:/bin")}});

  // A choice acts on the window focused before the menu opened (above the 30-pixel panel).
  const Frame leftHalf{0, 0, 720, 870}, rightHalf{720, 0, 720, 870};
  EXPECT_EQ(chooseForEntry(leftHalfItem), okEntry("leftHalf", {{leftHalf, "Right"}}));
  EXPECT_EQ(frameOf("Right"), leftHalf);
  EXPECT_EQ(session->activeWindow(), session->windowTitled("Right"));

  // The icon comes back when the tray restarts, and nothing else changes.
  const std::size_t entries = session->logEntries().size();
  ASSERT_TRUE(tray->stopHost());
  ASSERT_TRUE(tray->startHost());
  ASSERT_TRUE(tray->waitForIcon(session->corvellaPid())) << "the icon did not come back";
  EXPECT_EQ(chooseForEntry(rightHalfItem), okEntry("rightHalf", {{rightHalf, "Right"}}));
  EXPECT_EQ(session->pressForEntry({super, alt, left}), okEntry("leftHalf", {{leftHalf, "Right"}}));
  EXPECT_EQ(session->logEntries().size(), entries + 2) << "nothing else was logged";

  // Launch at login starts the installed program and follows it when it
  // moves (the item then shows off, so choosing it writes a fresh entry).
  const auto entry = session->folder() / "config/autostart/corvella.desktop";
  ASSERT_TRUE(tray->choose(launchAtLoginItem));
  ASSERT_TRUE(tray->waitForFile(entry, "\nExec=\"" + first.string() + "\"\n")) << fileText(entry);
  fs::remove(first);
  fs::create_symlink(XSession::corvellaProgram(), second);
  ASSERT_TRUE(tray->choose(launchAtLoginItem));
  ASSERT_TRUE(tray->waitForFile(entry, "\nExec=\"" + second.string() + "\"\n")) << fileText(entry);
  ASSERT_TRUE(tray->choose(launchAtLoginItem));
  EXPECT_TRUE(tray->waitForFile(entry));

  // A grid added in the settings and given a shortcut there tiles by it. The
  // keyboard starts on "Add Grid"; the new row's recorder is two controls back.
  ASSERT_TRUE(tray->choose(settingsItem));
  ASSERT_TRUE(settingsFocused());
  const auto defaults = session->folder() / "config/corvella/defaults.json";
  session->press({space});
  ASSERT_TRUE(tray->waitForFile(defaults, R"(\"columns\":2,\"rows\":2)")) << fileText(defaults);
  session->press({shift, tab});
  session->press({shift, tab});
  session->press({space});
  session->press({control, alt, two});
  ASSERT_TRUE(tray->waitForFile(defaults, R"(\"shortcut\":{\"keyCode\":19,\"modifiers\":786432})"))
      << fileText(defaults);
  // Closed as its close button does (from a pager), it leaves the window manager's list.
  const auto shown = [&] { return session->windowTitled("Corvella Settings").has_value(); };
  session->sendToRoot(*session->windowTitled("Corvella Settings"), "_NET_CLOSE_WINDOW", {0, 2});
  ASSERT_TRUE(session->waitUntil([&] { return !shown(); }));
  ASSERT_TRUE(session->activate(*session->windowTitled("Left")));
  EXPECT_EQ(firstLine(session->pressForEntry({control, alt, two})), "grid 2×2 TestClient ×2");
  EXPECT_EQ(frameOf("Left").height, 435);
  EXPECT_EQ(frameOf("Right").height, 435);
  EXPECT_EQ(firstLine(chooseForEntry(firstGridItem)), "grid 2×2 TestClient ×2");

  // corvella --settings asks the running instance, which shows its window.
  EXPECT_EQ(session->runCorvella({"--settings"}), Outcome(0, "", ""));
  EXPECT_TRUE(session->waitUntil(shown));
  EXPECT_TRUE(session->corvellaRunning());
}

TEST_F(TrayTest, WithoutATrayShortcutsWorkSettingsOpenAndOneLineSaysSo) {
  ASSERT_TRUE(tray->stopHost());
  startDesktop({"--settings"}, {});
  ASSERT_TRUE(settingsFocused());
  ASSERT_TRUE(session->activate(*session->windowTitled("Right")));
  EXPECT_EQ(session->pressForEntry({super, alt, right}),
            okEntry("rightHalf", {{{720, 0, 720, 900}, "Right"}}));  // no panel
  // A panel that is still starting gets a few seconds first.
  const std::string line =
      "상태 항목 표시 불가 — 시스템 트레이 없음 (단축키는 그대로 동작, 설정 창: corvella "
      "--settings)";
  EXPECT_TRUE(session->waitUntil([&] { return session->logEntries().back() == line; },
                                 std::chrono::seconds(20)));
}

}  // namespace
}  // namespace corvella::e2e
