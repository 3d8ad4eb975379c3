// The application as a shell assembles it: the program entry's accessory
// policy and main menu, then the launch through the composed delegate.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace corvella
