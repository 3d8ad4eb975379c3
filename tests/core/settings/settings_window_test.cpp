// The settings window opened from the delegate: created once, the regular
// policy while shown and the accessory policy after it closes, the selected
// tab in the defaults, and the pause callback reaching the grid tab.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../app/app_test_harness.h"
#include "core/settings/settings_window.h"

namespace corvella {
namespace {

using testing_support::AppHarness;
using Strings = std::vector<std::string>;

class SettingsWindowTest : public testing::Test, protected AppHarness {
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

TEST_F(SettingsWindowTest, FirstOpenCreatesTheWindowThenBringsTheAppForward) {
  EXPECT_EQ(delegate->settingsWindow(), nullptr);

  delegate->openSettings();

  EXPECT_EQ(windowCalls(),
            (Strings{"createWindow \"Corvella Settings\" 3", "setActivationPolicy regular",
                     "activate", "makeKeyAndOrderFront", "orderFrontRegardless"}));
  ASSERT_NE(delegate->settingsWindow(), nullptr);
  EXPECT_TRUE(delegate->settingsWindow()->isCreated());
  EXPECT_TRUE(platform.settingsWindowUI.isVisible());
  EXPECT_EQ(platform.applicationUI.activationPolicy(), ActivationPolicy::regular);
}

TEST_F(SettingsWindowTest, OpeningTwiceKeepsOneWindowAndOnlyBringsItForward) {
  delegate->openSettings();
  SettingsWindow* first = delegate->settingsWindow();
  platform.desktop.clearCalls();

  delegate->openSettings();

  EXPECT_EQ(windowCalls(), (Strings{"setActivationPolicy regular", "activate",
                                    "makeKeyAndOrderFront", "orderFrontRegardless"}));
  EXPECT_EQ(platform.settingsWindowUI.windows().size(), 1u);
  EXPECT_EQ(delegate->settingsWindow(), first);
}

TEST_F(SettingsWindowTest, EveryCloseReturnsToTheMenuBarAndTheWindowIsKept) {
  delegate->openSettings();
  ASSERT_TRUE(platform.settingsWindowUI.close());
  EXPECT_EQ(platform.applicationUI.activationPolicy(), ActivationPolicy::accessory);
  EXPECT_NE(delegate->settingsWindow(), nullptr);

  delegate->openSettings();
  EXPECT_EQ(platform.applicationUI.activationPolicy(), ActivationPolicy::regular);
  ASSERT_TRUE(platform.settingsWindowUI.close());
  EXPECT_EQ(platform.applicationUI.activationPolicy(), ActivationPolicy::accessory);
  EXPECT_EQ(platform.settingsWindowUI.windows().size(), 1u);
  EXPECT_EQ(
      platform.applicationUI.policyChanges(),
      (std::vector<ActivationPolicy>{ActivationPolicy::regular, ActivationPolicy::accessory,
                                     ActivationPolicy::regular, ActivationPolicy::accessory}));
}

TEST_F(SettingsWindowTest, TitleAndTabLabelAreLocalized) {
  platform.localizer.setTranslation("Corvella Settings", "Corvella 설정");
  platform.localizer.setTranslation("Grids", "격자");
  delegate->openSettings();

  EXPECT_EQ(platform.settingsWindowUI.windows().at(0).title, "Corvella 설정");
  EXPECT_EQ(delegate->settingsWindow()->view().tabs(),
            (std::vector<SettingsTab>{{.tag = "grids", .label = "격자"}}));
}

TEST_F(SettingsWindowTest, TheSelectedTabLivesInTheDefaults) {
  delegate->openSettings();
  SettingsView& view = delegate->settingsWindow()->view();

  // First launch: nothing stored, the grids tab.
  EXPECT_EQ(view.tab(), "grids");
  EXPECT_FALSE(platform.defaults.value("settingsTab").has_value());

  view.setTab("grids");
  EXPECT_EQ(platform.defaults.value("settingsTab"), sim::SimDefaultsValue(std::string("grids")));

  // A value a later version wrote is read back as it stands.
  platform.defaults.seed("settingsTab", std::string("shortcuts"));
  EXPECT_EQ(view.tab(), "shortcuts");
  // A value of the wrong kind counts as none.
  platform.defaults.seed("settingsTab", 3.0);
  EXPECT_EQ(view.tab(), "grids");
}

TEST_F(SettingsWindowTest, RecordingInTheGridTabPausesAndResumesTheHotKeys) {
  delegate->openSettings();
  const std::size_t registered = platform.hotKeyService.registrations().size();
  ASSERT_EQ(registered, 20u);
  GridSettingsModel& grids = delegate->settingsWindow()->view().grids();
  ASSERT_FALSE(grids.rows().empty());

  grids.rows().front()->recorder().startRecording();
  EXPECT_TRUE(platform.hotKeyService.registrations().empty());

  grids.rows().front()->recorder().stopRecording();
  EXPECT_EQ(platform.hotKeyService.registrations().size(), registered);
}

}  // namespace
}  // namespace corvella
