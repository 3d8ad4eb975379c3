// The application as a shell assembles it: the program entry's accessory
// policy and main menu, then the launch through the composed delegate.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app_test_harness.h"
#include "core/app/corvella.h"

namespace corvella {
namespace {

using testing_support::LogFolder;

TEST(Composition, PrepareToRunMakesAnAccessoryAppWithTheSmallMainMenu) {
  LogFolder folder;
  sim::SimPlatform platform(folder.path());
  platform.localizer.setTranslation("Edit", "편집");
  Corvella app(platform.services());

  const std::vector<MainMenuEntry> mainMenu = app.prepareToRun();

  EXPECT_EQ(platform.applicationUI.policyChanges(),
            (std::vector<ActivationPolicy>{ActivationPolicy::accessory}));
  auto command = [](const char* title, MenuAction action, const char* key) {
    return MenuItem{.title = title,
                    .action = action,
                    .keyEquivalent = key,
                    .keyEquivalentModifierMask = 0x100000};
  };
  EXPECT_EQ(
      mainMenu,
      (std::vector<MainMenuEntry>{
          {.submenuTitle = "", .items = {command("Close", MenuAction::performClose, "w")}},
          {.submenuTitle = "편집",
           .items = {command("Cut", MenuAction::cut, "x"), command("Copy", MenuAction::copy, "c"),
                     command("Paste", MenuAction::paste, "v"),
                     command("Select All", MenuAction::selectAll, "a")}}}));
  for (const MainMenuEntry& entry : mainMenu) {
    for (const MenuItem& item : entry.items) {
      EXPECT_EQ(item.target, MenuTarget::none) << item.title;  // the first responder's
      EXPECT_FALSE(app.delegate().performMenuItem(item)) << item.title;
    }
  }
  EXPECT_EQ(selectorName(mainMenu[0].items[0].action), "performClose:");
  EXPECT_EQ(selectorName(mainMenu[1].items[3].action), "selectAll:");
  // Nothing of the launch has happened yet.
  EXPECT_FALSE(app.services().hasGridLayoutStore());
  EXPECT_TRUE(platform.hotKeyService.registrations().empty());
}

TEST(Composition, TheComposedDelegateLaunchesAndServesTheMenu) {
  LogFolder folder;
  sim::SimPlatform platform(folder.path());
  platform.desktop.addApplication(7, "Notes");
  const auto window = platform.desktop.addWindow(7, {100, 100, 800, 600}, "Draft");
  platform.desktop.setFrontmostApplication(7);
  Corvella app(platform.services());
  app.prepareToRun();

  app.delegate().applicationDidFinishLaunching();
  EXPECT_EQ(platform.hotKeyService.registrations().size(), 20u);
  EXPECT_EQ(platform.applicationUI.statusItems().size(), 1u);

  // Maximize's item: option-command-F.
  const std::vector<MenuItem> menu = app.delegate().buildMenu();
  auto maximize = std::find_if(menu.begin(), menu.end(), [](const MenuItem& item) {
    return item.representedObject == "maximize";
  });
  ASSERT_NE(maximize, menu.end());
  EXPECT_TRUE(app.delegate().performMenuItem(*maximize));
  EXPECT_EQ(platform.desktop.frame(window), (Rect{0, 25, 1440, 875}));
}

}  // namespace
}  // namespace corvella
