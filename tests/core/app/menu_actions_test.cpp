// What the status menu's items do when chosen: actions and grids by their
// represented objects, the login item toggle, the permission pane and the
// items the shell carries out itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "app_test_harness.h"

namespace corvella {
namespace {

using testing_support::AppHarness;
using Strings = std::vector<std::string>;

const char* const gridID = "AAAAAAAA-0000-4000-8000-000000000001";
const char* const storedGrid = R"([{"id":"AAAAAAAA-0000-4000-8000-000000000001","columns":3,)"
                               R"("rows":2}])";

class MenuActionsTest : public testing::Test, protected AppHarness {
 protected:
  void SetUp() override {
    platform.desktop.addApplication(7, "Notes");
    window = platform.desktop.addWindow(7, {100, 100, 800, 600}, "Draft");
    platform.desktop.setFrontmostApplication(7);
    platform.defaults.seedData("gridLayouts", storedGrid);
    delegate->applicationDidFinishLaunching();
    launchLines = logMessages().size();
  }

  MenuItem itemTitled(const std::string& title) {
    const std::vector<MenuItem> menu = delegate->buildMenu();
    auto found = std::find_if(menu.begin(), menu.end(),
                              [&](const MenuItem& item) { return item.title == title; });
    EXPECT_NE(found, menu.end()) << title;
    return found == menu.end() ? MenuItem{} : *found;
  }

  // Nothing reached the windows, the log or the speaker since launch.
  void expectNothingHappened(std::size_t accessibilityCallsBefore) {
    EXPECT_EQ(platform.desktop.frame(window), (Rect{100, 100, 800, 600}));
    EXPECT_EQ(platform.desktop.callCount(sim::SimPort::accessibility), accessibilityCallsBefore);
    EXPECT_EQ(logMessages().size(), launchLines);
    EXPECT_EQ(platform.desktop.beeps(), 0);
  }

  sim::SimWindowId window = 0;
  std::size_t launchLines = 0;
};

TEST_F(MenuActionsTest, ChoosingAnActionItemPerformsIt) {
  EXPECT_TRUE(delegate->performMenuItem(itemTitled("Left Half")));
  EXPECT_EQ(platform.desktop.frame(window), (Rect{0, 25, 720, 875}));

  EXPECT_TRUE(delegate->performMenuItem(itemTitled("Undo")));
  EXPECT_EQ(platform.desktop.frame(window), (Rect{100, 100, 800, 600}));
}

TEST_F(MenuActionsTest, RunActionIgnoresAnythingButAnExactRawValue) {
  const std::size_t calls = platform.desktop.callCount(sim::SimPort::accessibility);
  for (const std::optional<std::string>& object :
       {std::optional<std::string>(), std::optional<std::string>(""),
        std::optional<std::string>("LeftHalf"), std::optional<std::string>("leftHalf "),
        std::optional<std::string>(gridID)}) {
    delegate->runAction(object);
  }
  expectNothingHappened(calls);
}

TEST_F(MenuActionsTest, ChoosingAGridItemTilesIntoIt) {
  EXPECT_TRUE(delegate->performMenuItem(itemTitled("6-way Split (3×2)")));
  // Top-left cell of 3×2 on the visible frame (0,25 1440×875).
  EXPECT_EQ(platform.desktop.frame(window), (Rect{0, 25, 480, 438}));
  EXPECT_EQ(logMessages().at(launchLines), "grid 3×2 Notes ×1");
}

TEST_F(MenuActionsTest, RunGridOfARemovedLayoutOrOfNoIdentifierDoesNothing) {
  const MenuItem item = itemTitled("6-way Split (3×2)");
  services.gridLayoutStore().removeLayout(*UUID::parse(gridID));
  const std::size_t calls = platform.desktop.callCount(sim::SimPort::accessibility);

  EXPECT_TRUE(delegate->performMenuItem(item));
  for (const std::optional<std::string>& object :
       {std::optional<std::string>(), std::optional<std::string>("leftHalf"),
        std::optional<std::string>("AAAAAAAA-0000-4000-8000")}) {
    delegate->runGrid(object);
  }
  expectNothingHappened(calls);
}

struct LoginCase {
  LoginItemStatus before;
  bool registers;
  LoginItemStatus after;
};

TEST_F(MenuActionsTest, ToggleLoginUnregistersOnlyWhenEnabled) {
  for (const LoginCase& c :
       {LoginCase{LoginItemStatus::notRegistered, true, LoginItemStatus::enabled},
        LoginCase{LoginItemStatus::enabled, false, LoginItemStatus::notRegistered},
        LoginCase{LoginItemStatus::requiresApproval, true, LoginItemStatus::enabled},
        LoginCase{LoginItemStatus::notFound, true, LoginItemStatus::enabled}}) {
    platform.loginItem.setStatus(c.before);
    const std::size_t registers = platform.loginItem.registerCount();
    const std::size_t unregisters = platform.loginItem.unregisterCount();

    EXPECT_TRUE(delegate->performMenuItem(itemTitled("Launch at Login")));

    EXPECT_EQ(platform.loginItem.registerCount() - registers, c.registers ? 1u : 0u);
    EXPECT_EQ(platform.loginItem.unregisterCount() - unregisters, c.registers ? 0u : 1u);
    EXPECT_EQ(platform.loginItem.status(), c.after);
  }
  EXPECT_EQ(logMessages().size(), launchLines);
  EXPECT_EQ(platform.desktop.beeps(), 0);
}

TEST_F(MenuActionsTest, AFailedToggleLogsTheErrorAndBeeps) {
  platform.loginItem.setStatus(LoginItemStatus::requiresApproval);
  platform.loginItem.setRegisterError("Operation not permitted");
  delegate->toggleLogin();

  platform.loginItem.setStatus(LoginItemStatus::enabled);
  platform.loginItem.setUnregisterError("작업을 완료할 수 없습니다.");
  delegate->toggleLogin();

  const Strings log = logMessages();
  EXPECT_EQ(Strings(log.begin() + static_cast<long>(launchLines), log.end()),
            (Strings{"로그인 항목 변경 실패: Operation not permitted",
                     "로그인 항목 변경 실패: 작업을 완료할 수 없습니다."}));
  EXPECT_EQ(platform.desktop.beeps(), 2);
  EXPECT_EQ(platform.loginItem.status(), LoginItemStatus::enabled);
}

TEST_F(MenuActionsTest, AccessibilityItemPromptsThenOpensThePaneWhateverTheTrust) {
  for (bool trusted : {true, false}) {
    platform.desktop.setTrusted(trusted);
    platform.desktop.clearCalls();
    const int prompts = platform.desktop.promptsShown();
    const int opened = platform.desktop.accessibilitySettingsOpened();

    EXPECT_TRUE(delegate->performMenuItem(delegate->buildMenu().front()));

    const Strings calls =
        platform.desktop.callTexts({sim::SimPort::accessibility, sim::SimPort::workspace});
    EXPECT_EQ(Strings(calls.end() - 2, calls.end()),
              (Strings{"isProcessTrustedWithPrompt", "openAccessibilitySettings"}));
    EXPECT_EQ(platform.desktop.promptsShown() - prompts, trusted ? 0 : 1);
    EXPECT_EQ(platform.desktop.accessibilitySettingsOpened() - opened, 1);
  }
}

TEST_F(MenuActionsTest, CheckForUpdatesGoesToTheUpdater) {
  AppHarness withFeed;
  withFeed.platform.updater.setBundleInfoString("SUFeedURL", "https://example.org/appcast.xml");
  withFeed.delegate->applicationDidFinishLaunching();
  const std::vector<MenuItem> menu = withFeed.delegate->buildMenu();
  auto check = std::find_if(menu.begin(), menu.end(), [](const MenuItem& item) {
    return item.action == MenuAction::checkForUpdates;
  });
  ASSERT_NE(check, menu.end());

  EXPECT_TRUE(withFeed.delegate->performMenuItem(*check));
  EXPECT_EQ(withFeed.platform.updater.updateChecks(), 1u);
}

TEST_F(MenuActionsTest, QuitSeparatorsAndHeadersAreLeftToTheShell) {
  const std::vector<MenuItem> menu = delegate->buildMenu();
  const std::size_t calls = platform.desktop.callCount(sim::SimPort::accessibility);
  EXPECT_FALSE(delegate->performMenuItem(menu.back()));
  EXPECT_EQ(menu.back().action, MenuAction::terminate);
  EXPECT_FALSE(delegate->performMenuItem(MenuItem::separator()));
  EXPECT_FALSE(delegate->performMenuItem(MenuItem::sectionHeader("App Window Grids")));
  expectNothingHappened(calls);
}

}  // namespace
}  // namespace corvella
