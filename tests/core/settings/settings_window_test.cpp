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
};

TEST_F(SettingsWindowTest, OneWindowBroughtForwardOnEveryOpeningAndEveryCloseBackToTheMenuBar) {
  platform.localizer.setTranslation("Corvella Settings", "Corvella 설정");
  platform.localizer.setTranslation("Grids", "격자");
  EXPECT_EQ(delegate->settingsWindow(), nullptr);
  delegate->openSettings();
  SettingsWindow* first = delegate->settingsWindow();
  ASSERT_TRUE(platform.settingsWindowUI.close());
  delegate->openSettings();
  ASSERT_TRUE(platform.settingsWindowUI.close());

  const Strings shown{"setActivationPolicy regular", "activate", "makeKeyAndOrderFront",
                      "orderFrontRegardless"};
  Strings expected{"createWindow \"Corvella 설정\" 3"};
  for (const char* close : {"setActivationPolicy accessory", "setActivationPolicy accessory"}) {
    expected.insert(expected.end(), shown.begin(), shown.end());
    expected.push_back(close);
  }
  EXPECT_EQ(
      platform.desktop.callTexts({sim::SimPort::applicationUI, sim::SimPort::settingsWindowUI}),
      expected);
  EXPECT_EQ(delegate->settingsWindow(), first);
  EXPECT_EQ(first->view().tabs(), (std::vector<SettingsTab>{{.tag = "grids", .label = "격자"}}));
}

TEST_F(SettingsWindowTest, TheSelectedTabLivesInTheDefaults) {
  delegate->openSettings();
  SettingsView& view = delegate->settingsWindow()->view();
  EXPECT_EQ(view.tab(), "grids");  // first launch: nothing stored
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
  ASSERT_EQ(platform.hotKeyService.registrations().size(), 20u);
  GridRowModel& row = *delegate->settingsWindow()->view().grids().rows().at(0);
  row.recorder().startRecording();
  EXPECT_TRUE(platform.hotKeyService.registrations().empty());
  row.recorder().stopRecording();
  EXPECT_EQ(platform.hotKeyService.registrations().size(), 20u);
}

}  // namespace
}  // namespace corvella
