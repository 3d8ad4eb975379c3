#include "core/settings/settings_window.h"

#include <gtest/gtest.h>

#include "../app/app_test_harness.h"

namespace corvella {
namespace {

using Strings = std::vector<std::string>;

class SettingsWindowTest : public testing::Test, protected testing_support::AppHarness {
 protected:
  void SetUp() override {
    delegate->applicationDidFinishLaunching();
    platform.desktop.clearCalls();
  }
};

TEST_F(SettingsWindowTest, OneWindowBroughtForwardOnEveryOpeningItsSelectedTabInTheDefaults) {
  platform.localizer.setTranslation("Corvella Settings", "Corvella 설정");
  platform.localizer.setTranslation("Grids", "격자");
  EXPECT_EQ(delegate->settingsWindow(), nullptr);
  delegate->openSettings();
  SettingsWindow* first = delegate->settingsWindow();
  ASSERT_TRUE(platform.settingsWindowUI.close());
  delegate->openSettings();
  ASSERT_TRUE(platform.settingsWindowUI.close());

  Strings expected{"createWindow \"Corvella 설정\" 3"};
  for (int opening = 0; opening < 2; ++opening) {
    expected.insert(expected.end(),
                    {"setActivationPolicy regular", "activate", "makeKeyAndOrderFront",
                     "orderFrontRegardless", "setActivationPolicy accessory"});
  }
  EXPECT_EQ(
      platform.desktop.callTexts({sim::SimPort::applicationUI, sim::SimPort::settingsWindowUI}),
      expected);
  EXPECT_EQ(delegate->settingsWindow(), first);
  EXPECT_EQ(first->view().tabs(), (std::vector<SettingsTab>{{.tag = "grids", .label = "격자"}}));
  delegate->openSettings();
  SettingsView& view = delegate->settingsWindow()->view();
  EXPECT_EQ(view.tab(), "grids");  // first launch: nothing stored
  EXPECT_FALSE(platform.defaults.value("settingsTab").has_value());
  view.setTab("grids");
  EXPECT_EQ(platform.defaults.value("settingsTab"), sim::SimDefaultsValue(std::string("grids")));
  // A value a later version wrote is read back as it stands; one of the wrong kind counts as none.
  platform.defaults.seed("settingsTab", std::string("shortcuts"));
  EXPECT_EQ(view.tab(), "shortcuts");
  platform.defaults.seed("settingsTab", 3.0);
  EXPECT_EQ(view.tab(), "grids");
}

// The platform's after-each-event hook is where a shell redraws (the macOS
// shell's settings view refreshes from it): what it reads there, through the
// window's grid rows, is what the user sees after each key.
class RecorderRedrawTest : public SettingsWindowTest {
 protected:
  static constexpr std::uint16_t keyA = 0, key1 = 18, key2 = 19, key3 = 20;
  static constexpr std::uint64_t shift = ModifierFlag::shift, control = ModifierFlag::control,
                                 option = ModifierFlag::option, command = ModifierFlag::command;

  void SetUp() override {
    // The first grid (3×2) holds ⌃⌥1, the second (4×2) ⌃⌥2.
    std::vector<GridLayout> layouts = store().layouts();
    layouts.at(0).shortcut = Shortcut{key1, control | option};
    layouts.at(1).shortcut = Shortcut{key2, control | option};
    store().setLayouts(layouts);
    SettingsWindowTest::SetUp();
    delegate->openSettings();
    platform.keyEventMonitor.setAfterEachEvent([this] { redraws.push_back(shown()); });
  }

  GridLayoutStore& store() { return services.gridLayoutStore(); }
  GridRowModel& firstRow() { return *delegate->settingsWindow()->view().grids().rows().at(0); }
  // The first row's button label, then its message line.
  std::string shown() {
    GridRowModel& row = firstRow();
    return row.recorder().label() + " | " + row.message().value_or("(no message)");
  }
  std::size_t registeredHotKeys() const { return platform.hotKeyService.registrations().size(); }

  Strings redraws;
};

TEST_F(RecorderRedrawTest, EachKindOfKeyShowsItsOutcomeAtTheRedrawThatFollowsIt) {
  // Name, key, modifiers, what is shown, and the hot keys registered afterwards:
  // none while recording; else the 20 of the actions and one per grid holding a shortcut.
  const std::tuple<const char*, std::uint16_t, std::uint64_t, const char*, std::size_t> cases[] = {
      {"accepted", key3, control | option, "⌃⌥3 | (no message)", 22},
      {"taken by another grid", key2, control | option,
       "Press keys… | Already used by “8-way Split (4×2)”.", 0},
      {"Escape", RecorderKey::escape, command, "⌃⌥1 | (no message)", 22},
      {"Delete", RecorderKey::deleteKey, 0, "Record Shortcut | (no message)", 21},
  };
  for (const auto& [name, key, modifiers, outcome, hotKeys] : cases) {
    SCOPED_TRACE(name);
    firstRow().recorder().click();
    ASSERT_EQ(shown(), "Press keys… | (no message)");
    redraws.clear();

    EXPECT_FALSE(platform.keyEventMonitor.type(key, modifiers));
    EXPECT_EQ(redraws, Strings{outcome});
    EXPECT_EQ(registeredHotKeys(), hotKeys);

    // Back to the starting state for the next case.
    if (firstRow().recorder().isRecording()) firstRow().recorder().click();
    std::vector<GridLayout> layouts = store().layouts();
    layouts.at(0).shortcut = Shortcut{key1, control | option};
    store().setLayouts(layouts);
  }
  // After a refusal, Escape clears the message and the next click records again.
  redraws.clear();
  firstRow().recorder().click();
  platform.keyEventMonitor.type(keyA, shift);
  platform.keyEventMonitor.type(RecorderKey::escape);
  EXPECT_EQ(redraws,
            (Strings{"Press keys… | Use with at least one of ⌘, ⌥ or ⌃.", "⌃⌥1 | (no message)"}));
  EXPECT_EQ(registeredHotKeys(), 22u);

  // The button reads as idle, and so it is: a click starts a new recording.
  firstRow().recorder().click();
  EXPECT_EQ(shown(), "Press keys… | (no message)");
  EXPECT_EQ(registeredHotKeys(), 0u);
}

}  // namespace
}  // namespace corvella
