// The settings window opened from the delegate: created once, the regular
// policy while shown and the accessory policy after it closes, the selected
// tab in the defaults, and the pause callback reaching the grid tab.
#include "core/settings/settings_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

  Strings windowCalls() const {
    return platform.desktop.callTexts(
        {sim::SimPort::applicationUI, sim::SimPort::settingsWindowUI});
  }
};

TEST_F(SettingsWindowTest, OpeningTwiceCreatesOneWindowAndBringsTheAppForwardEachTime) {
  platform.localizer.setTranslation("Corvella Settings", "Corvella 설정");
  platform.localizer.setTranslation("Grids", "격자");
  EXPECT_EQ(delegate->settingsWindow(), nullptr);

  delegate->openSettings();
  SettingsWindow* first = delegate->settingsWindow();
  delegate->openSettings();

  EXPECT_EQ(windowCalls(),
            (Strings{"createWindow \"Corvella 설정\" 3", "setActivationPolicy regular", "activate",
                     "makeKeyAndOrderFront", "orderFrontRegardless", "setActivationPolicy regular",
                     "activate", "makeKeyAndOrderFront", "orderFrontRegardless"}));
  EXPECT_EQ(delegate->settingsWindow(), first);
  EXPECT_EQ(first->view().tabs(), (std::vector<SettingsTab>{{.tag = "grids", .label = "격자"}}));
}

TEST_F(SettingsWindowTest, EveryCloseReturnsToTheMenuBarAndTheWindowIsKept) {
  delegate->openSettings();
  ASSERT_TRUE(platform.settingsWindowUI.close());
  delegate->openSettings();
  ASSERT_TRUE(platform.settingsWindowUI.close());

  EXPECT_EQ(
      platform.applicationUI.policyChanges(),
      (std::vector<ActivationPolicy>{ActivationPolicy::regular, ActivationPolicy::accessory,
                                     ActivationPolicy::regular, ActivationPolicy::accessory}));
  EXPECT_EQ(platform.settingsWindowUI.windows().size(), 1u);
  EXPECT_NE(delegate->settingsWindow(), nullptr);
}

TEST_F(SettingsWindowTest, TheSelectedTabLivesInTheDefaults) {
  delegate->openSettings();
  SettingsView& view = delegate->settingsWindow()->view();

  // First launch: nothing stored, the grids tab.
  EXPECT_EQ(view.tab(), "grids");
  EXPECT_FALSE(platform.defaults.value("settingsTab").has_value());

  view.setTab("grids");
  EXPECT_EQ(platform.defaults.value("settingsTab"), sim::SimDefaultsValue(std::string("grids")));

  // A value a later version wrote is read back as it stands; one of the
  // wrong kind counts as none.
  platform.defaults.seed("settingsTab", std::string("shortcuts"));
  EXPECT_EQ(view.tab(), "shortcuts");
  platform.defaults.seed("settingsTab", 3.0);
  EXPECT_EQ(view.tab(), "grids");
}

TEST_F(SettingsWindowTest, RecordingInTheGridTabPausesAndResumesTheHotKeys) {
  delegate->openSettings();
  const auto registered = platform.hotKeyService.registrations();
  ASSERT_EQ(registered.size(), 20u);
  GridRowModel& row = *delegate->settingsWindow()->view().grids().rows().at(0);

  row.recorder().startRecording();
  EXPECT_TRUE(platform.hotKeyService.registrations().empty());

  row.recorder().stopRecording();
  EXPECT_EQ(platform.hotKeyService.registrations().size(), registered.size());
  EXPECT_EQ(platform.hotKeyService.registrations().back().id.id, 20u);
}

}  // namespace
}  // namespace corvella
