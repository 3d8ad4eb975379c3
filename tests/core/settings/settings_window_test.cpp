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

TEST_F(SettingsWindowTest, TheViewsPauseCallbackIsTheDelegates) {
  delegate->openSettings();
  const auto& setHotKeysPaused = delegate->settingsWindow()->view().setHotKeysPaused();
  ASSERT_TRUE(setHotKeysPaused);

  setHotKeysPaused(true);
  EXPECT_TRUE(platform.hotKeyService.registrations().empty());
  setHotKeysPaused(false);
  EXPECT_EQ(platform.hotKeyService.registrations().size(), 20u);
}

TEST(SettingsWindowAlone, OpensWithoutADelegateAndClosesToTheAccessoryPolicy) {
  sim::SimDesktop desktop;
  sim::SimSettingsWindowUI windowUI(desktop);
  sim::SimApplicationUI applicationUI(desktop);
  sim::SimLocalizer localizer(desktop);
  sim::SimDefaults defaults(desktop);
  sim::SimKeyEventMonitor monitor(desktop);
  sim::SimKeyboardLayout keyboard(desktop);
  sim::SimClock clock(desktop);
  sim::SimLogLocation logLocation(desktop, std::nullopt);
  Log log(clock, logLocation);
  GridLayoutStore store(defaults);
  std::vector<bool> pauses;

  SettingsWindow window({.windowUI = windowUI,
                         .applicationUI = applicationUI,
                         .localizer = localizer,
                         .defaults = defaults,
                         .grids = {store, localizer, log, monitor, keyboard}},
                        [&pauses](bool paused) { pauses.push_back(paused); });
  EXPECT_FALSE(window.isCreated());
  EXPECT_TRUE(windowUI.windows().empty());

  window.open();
  EXPECT_EQ(windowUI.windows().at(0).styleMask, 3u);
  window.view().setHotKeysPaused()(true);
  EXPECT_EQ(pauses, (std::vector<bool>{true}));
  ASSERT_TRUE(windowUI.close());
  EXPECT_EQ(applicationUI.activationPolicy(), ActivationPolicy::accessory);
}

}  // namespace
}  // namespace corvella
