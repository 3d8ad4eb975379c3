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
using Object = std::optional<std::string>;

const char* const gridID = "AAAAAAAA-0000-4000-8000-000000000001";

class MenuActionsTest : public testing::Test, protected AppHarness {
 protected:
  void SetUp() override {
    platform.desktop.addApplication(7, "Notes");
    window = platform.desktop.addWindow(7, {100, 100, 800, 600}, "Draft");
    platform.desktop.setFrontmostApplication(7);
    platform.defaults.seedData(
        "gridLayouts", "[{\"id\":\"" + std::string(gridID) + "\",\"columns\":3,\"rows\":2}]");
    delegate->applicationDidFinishLaunching();
    launchLines = logMessages().size();
  }

  MenuItem itemWith(MenuAction action, const std::string& title = "") {
    const std::vector<MenuItem> menu = delegate->buildMenu();
    auto found = std::find_if(menu.begin(), menu.end(), [&](const MenuItem& item) {
      return item.action == action && (title.empty() || item.title == title);
    });
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

TEST_F(MenuActionsTest, ChoosingActionAndGridItemsPerformsThem) {
  EXPECT_TRUE(delegate->performMenuItem(itemWith(MenuAction::runAction, "Left Half")));
  EXPECT_EQ(platform.desktop.frame(window), (Rect{0, 25, 720, 875}));

  EXPECT_TRUE(delegate->performMenuItem(itemWith(MenuAction::runGrid)));
  // Top-left cell of 3×2 on the visible frame (0,25 1440×875).
  EXPECT_EQ(platform.desktop.frame(window), (Rect{0, 25, 480, 438}));
  EXPECT_EQ(logMessages().at(launchLines + 2), "grid 3×2 Notes ×1");
}

TEST_F(MenuActionsTest, ObjectsNamingNoActionOrNoExistingGridAndShellItemsDoNothing) {
  const MenuItem grid = itemWith(MenuAction::runGrid);
  const MenuItem quit = delegate->buildMenu().back();
  services.gridLayoutStore().removeLayout(*UUID::parse(gridID));
  const std::size_t calls = platform.desktop.callCount(sim::SimPort::accessibility);

  EXPECT_TRUE(delegate->performMenuItem(grid));  // removed while the menu was open
  for (const Object& object :
       {Object(), Object(""), Object("LeftHalf"), Object("leftHalf "), Object(gridID)}) {
    delegate->runAction(object);
  }
  for (const Object& object : {Object(), Object("leftHalf"), Object("AAAAAAAA-0000-4000-8000")}) {
    delegate->runGrid(object);
  }
  EXPECT_FALSE(delegate->performMenuItem(quit));
  EXPECT_FALSE(delegate->performMenuItem(MenuItem::separator()));
  EXPECT_FALSE(delegate->performMenuItem(MenuItem::sectionHeader("App Window Grids")));
  expectNothingHappened(calls);
}

TEST_F(MenuActionsTest, ToggleLoginUnregistersOnlyWhenEnabled) {
  const struct {
    LoginItemStatus before;
    bool registers;
    LoginItemStatus after;
  } cases[] = {{LoginItemStatus::notRegistered, true, LoginItemStatus::enabled},
               {LoginItemStatus::enabled, false, LoginItemStatus::notRegistered},
               {LoginItemStatus::requiresApproval, true, LoginItemStatus::enabled},
               {LoginItemStatus::notFound, true, LoginItemStatus::enabled}};
  for (const auto& c : cases) {
    platform.loginItem.setStatus(c.before);
    const std::size_t registers = platform.loginItem.registerCount();
    const std::size_t unregisters = platform.loginItem.unregisterCount();

    EXPECT_TRUE(delegate->performMenuItem(itemWith(MenuAction::toggleLogin)));

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
    const MenuItem item = delegate->buildMenu().front();
    platform.desktop.clearCalls();

    EXPECT_TRUE(delegate->performMenuItem(item)) << item.title;

    EXPECT_EQ(platform.desktop.callTexts({sim::SimPort::accessibility, sim::SimPort::workspace}),
              (Strings{"isProcessTrustedWithPrompt", "openAccessibilitySettings"}))
        << item.title;
  }
  EXPECT_EQ(platform.desktop.promptsShown(), 1);  // only the untrusted one shows the prompt
  EXPECT_EQ(platform.desktop.accessibilitySettingsOpened(), 2);
}

}  // namespace
}  // namespace corvella
