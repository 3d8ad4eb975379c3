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

using Strings = std::vector<std::string>;
using Object = std::optional<std::string>;

const char* const gridID = "AAAAAAAA-0000-4000-8000-000000000001";

class MenuActionsTest : public testing::Test, protected testing_support::AppHarness {
 protected:
  void SetUp() override {
    storeGrids("[{\"id\":\"" + std::string(gridID) + "\",\"columns\":3,\"rows\":2}]");
    delegate->applicationDidFinishLaunching();
    launchLines = logMessages().size();
  }
  MenuItem itemWith(MenuAction action, const std::string& title = "") {
    const std::vector<MenuItem> menu = delegate->buildMenu();
    auto found = std::find_if(menu.begin(), menu.end(), [&](const MenuItem& item) {
      return item.action == action && (title.empty() || item.title == title);
    });
    return found == menu.end() ? MenuItem{} : *found;
  }
  // What was logged after the launch.
  Strings newLines() {
    const Strings log = logMessages();
    return Strings(log.begin() + static_cast<long>(launchLines), log.end());
  }

  const sim::SimWindowId window = addDraftWindow();
  std::size_t launchLines = 0;
};

TEST_F(MenuActionsTest, ChoosingActionAndGridItemsPerformsThem) {
  EXPECT_TRUE(delegate->performMenuItem(itemWith(MenuAction::runAction, "Left Half")));
  EXPECT_EQ(platform.desktop.frame(window), (Rect{0, 25, 720, 875}));
  EXPECT_TRUE(delegate->performMenuItem(itemWith(MenuAction::runGrid)));
  // Top-left cell of 3×2 on the visible frame (0,25 1440×875).
  EXPECT_EQ(platform.desktop.frame(window), (Rect{0, 25, 480, 438}));
  EXPECT_EQ(newLines().at(2), "grid 3×2 Notes ×1");
  EXPECT_TRUE(delegate->performMenuItem(itemWith(MenuAction::openSettings)));
  EXPECT_NE(delegate->settingsWindow(), nullptr);
}

TEST_F(MenuActionsTest, ObjectsNamingNoActionOrNoExistingGridAndShellItemsDoNothing) {
  const MenuItem grid = itemWith(MenuAction::runGrid);
  const MenuItem quit = delegate->buildMenu().back();
  services.gridLayoutStore().removeLayout(*UUID::parse(gridID));
  const std::size_t calls = platform.desktop.callCount(sim::SimPort::accessibility);

  EXPECT_TRUE(delegate->performMenuItem(grid));  // removed while the menu was open
  for (const Object& object : {Object(), Object("LeftHalf"), Object("leftHalf "), Object(gridID)}) {
    delegate->runAction(object);
  }
  for (const Object& object : {Object(), Object("leftHalf"), Object("AAAAAAAA-0000-4000-8000")}) {
    delegate->runGrid(object);
  }
  EXPECT_FALSE(delegate->performMenuItem(quit));
  EXPECT_FALSE(delegate->performMenuItem(MenuItem::separator()));
  EXPECT_EQ(platform.desktop.frame(window), (Rect{100, 100, 800, 600}));
  EXPECT_EQ(platform.desktop.callCount(sim::SimPort::accessibility), calls);
  EXPECT_TRUE(newLines().empty());
  EXPECT_EQ(platform.desktop.beeps(), 0);
}

TEST_F(MenuActionsTest, ToggleLoginUnregistersOnlyWhenEnabledAndLogsAFailureWithABeep) {
  using Status = LoginItemStatus;
  const std::pair<Status, Status> toggles[] = {{Status::notRegistered, Status::enabled},
                                               {Status::enabled, Status::notRegistered},
                                               {Status::requiresApproval, Status::enabled},
                                               {Status::notFound, Status::enabled}};
  for (const auto& [before, after] : toggles) {
    platform.loginItem.setStatus(before);
    EXPECT_TRUE(delegate->performMenuItem(itemWith(MenuAction::toggleLogin)));
    EXPECT_EQ(platform.loginItem.status(), after);
  }
  EXPECT_EQ(platform.loginItem.registerCount(), 3u);
  EXPECT_EQ(platform.loginItem.unregisterCount(), 1u);
  EXPECT_TRUE(newLines().empty());

  platform.loginItem.setStatus(Status::requiresApproval);
  platform.loginItem.setRegisterError("Operation not permitted");
  delegate->toggleLogin();
  platform.loginItem.setStatus(Status::enabled);
  platform.loginItem.setUnregisterError("작업을 완료할 수 없습니다.");
  delegate->toggleLogin();
  EXPECT_EQ(newLines(), (Strings{"로그인 항목 변경 실패: Operation not permitted",
                                 "로그인 항목 변경 실패: 작업을 완료할 수 없습니다."}));
  EXPECT_EQ(platform.desktop.beeps(), 2);
  EXPECT_EQ(platform.loginItem.status(), Status::enabled);
}

TEST_F(MenuActionsTest, AccessibilityItemPromptsThenOpensThePaneWhateverTheTrust) {
  for (bool trusted : {true, false}) {
    platform.desktop.setTrusted(trusted);
    const MenuItem item = delegate->buildMenu().front();
    platform.desktop.clearCalls();
    EXPECT_TRUE(delegate->performMenuItem(item));
    EXPECT_EQ(platform.desktop.callTexts({sim::SimPort::accessibility, sim::SimPort::workspace}),
              (Strings{"isProcessTrustedWithPrompt", "openAccessibilitySettings"}));
  }
  EXPECT_EQ(platform.desktop.promptsShown(), 1);  // only the untrusted one shows the prompt
  EXPECT_EQ(platform.desktop.accessibilitySettingsOpened(), 2);
}

}  // namespace
}  // namespace corvella
