#include <gtest/gtest.h>

#include <algorithm>

#include "app_test_harness.h"

namespace corvella {
namespace {

using Strings = std::vector<std::string>;
using Object = std::optional<std::string>;

// Service masks: command 0x100, option 0x800, control 0x1000.
constexpr std::uint32_t optionCommand = 0x900, controlOption = 0x1800;
constexpr std::uint32_t leftArrow = 123, key1 = 18;
using testing_support::gridID;

class RequestsTest : public testing::Test, protected testing_support::AppHarness {
 protected:
  void SetUp() override {
    storeOneGrid();
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

  sim::SimHotKeyService& hotKeys = platform.hotKeyService;
  const sim::SimWindowId window = addDraftWindow();
  std::size_t launchLines = 0;
};

TEST_F(RequestsTest, APressActsOnALaterTurnAndAMenuChoiceAtOnce) {
  ASSERT_TRUE(hotKeys.press(leftArrow, optionCommand));
  // The handler only posts; the window has not moved yet.
  EXPECT_EQ(platform.desktop.frame(window), (Rect{100, 100, 800, 600}));
  platform.mainQueue.runUntilIdle();
  // The left half of the visible frame (0,25 1440×875 below the menu bar).
  EXPECT_EQ(platform.desktop.frame(window), (Rect{0, 25, 720, 875}));
  ASSERT_TRUE(hotKeys.press(key1, controlOption));
  platform.mainQueue.runUntilIdle();
  // Top-left cell of 3×2: x 0 to round(1440/3) = 480; y 25 to round(462.5) = 463.
  EXPECT_EQ(platform.desktop.frame(window), (Rect{0, 25, 480, 438}));
  EXPECT_EQ(newLines().at(2), "grid 3×2 Notes ×1");

  EXPECT_TRUE(delegate->performMenuItem(itemWith(MenuAction::runAction, "Right Half")));
  EXPECT_EQ(platform.desktop.frame(window), (Rect{720, 25, 720, 875}));
  EXPECT_TRUE(delegate->performMenuItem(itemWith(MenuAction::runGrid)));
  EXPECT_EQ(platform.desktop.frame(window), (Rect{0, 25, 480, 438}));
  EXPECT_TRUE(delegate->performMenuItem(itemWith(MenuAction::openSettings)));
  EXPECT_NE(delegate->settingsWindow(), nullptr);
}

TEST_F(RequestsTest, AfterTheDelegateIsGoneOnlyPressesAndPausingStillWork) {
  // A new grid on control-option-2 (key code 19) registers as number 22.
  std::vector<GridLayout> layouts = services.gridLayoutStore().layouts();
  layouts.push_back({.id = UUID::random(), .columns = 2, .rows = 2, .shortcut = {{19, 0xC0000}}});
  services.gridLayoutStore().setLayouts(layouts);
  EXPECT_EQ(hotKeys.registrationFor(19, controlOption)->id.id, 22u);

  auto setHotKeysPaused = delegate->makeSetHotKeysPaused();
  EXPECT_EQ(delegate.use_count(), 1);  // no callback keeps it alive
  delegate.reset();
  ASSERT_TRUE(hotKeys.press(leftArrow, optionCommand));
  platform.mainQueue.runUntilIdle();
  EXPECT_EQ(platform.desktop.frame(window), (Rect{0, 25, 720, 875}));
  setHotKeysPaused(true);
  EXPECT_TRUE(hotKeys.registrations().empty());
  // Neither resuming nor a store change registers anything any more.
  const std::size_t attempts = hotKeys.registerCallCount();
  setHotKeysPaused(false);
  services.gridLayoutStore().restoreDefaults();
  EXPECT_EQ(hotKeys.registerCallCount(), attempts);
}

TEST_F(RequestsTest, StaleObjectsDoNothingTheLoginItemTogglesAndAccessibilityOpensThePane) {
  const MenuItem grid = itemWith(MenuAction::runGrid);
  const MenuItem quit = delegate->buildMenu().back();
  ASSERT_TRUE(hotKeys.press(key1, controlOption));
  services.gridLayoutStore().removeLayout(*UUID::parse(gridID));
  const std::size_t calls = platform.desktop.callCount(sim::SimPort::accessibility);

  platform.mainQueue.runUntilIdle();             // the grid went before the press ran
  EXPECT_TRUE(delegate->performMenuItem(grid));  // removed while the menu was open
  for (const Object& object : {Object(), Object("LeftHalf"), Object(gridID)}) {
    delegate->runAction(object);
    delegate->runGrid(object == gridID ? Object("leftHalf") : object);
  }
  EXPECT_FALSE(delegate->performMenuItem(quit));
  EXPECT_EQ(platform.desktop.frame(window), (Rect{100, 100, 800, 600}));
  EXPECT_EQ(platform.desktop.callCount(sim::SimPort::accessibility), calls);
  EXPECT_TRUE(newLines().empty());
  EXPECT_EQ(platform.desktop.beeps(), 0);
  using Status = LoginItemStatus;
  const std::pair<Status, Status> toggles[] = {{Status::notRegistered, Status::enabled},
                                               {Status::enabled, Status::notRegistered},
                                               {Status::requiresApproval, Status::enabled}};
  for (const auto& [before, after] : toggles) {
    // Checked only when enabled: a program uninstalled since reports not
    // registered, shows off, and choosing it registers afresh.
    platform.loginItem.setStatus(before);
    const MenuItem item = itemWith(MenuAction::toggleLogin);
    EXPECT_EQ(item.state, before == Status::enabled ? MenuItemState::on : MenuItemState::off);
    EXPECT_TRUE(delegate->performMenuItem(item));
    EXPECT_EQ(platform.loginItem.status(), after);
  }
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
  for (bool trusted : {true, false}) {
    platform.desktop.setTrusted(trusted);
    const MenuItem item = delegate->buildMenu().front();
    platform.desktop.clearCalls();
    EXPECT_TRUE(delegate->performMenuItem(item));
    EXPECT_EQ(platform.desktop.callTexts({sim::SimPort::accessibility, sim::SimPort::workspace}),
              (Strings{"isProcessTrustedWithPrompt", "openAccessibilitySettings"}));
  }
  EXPECT_EQ(platform.desktop.promptsShown(), 1);  // only the untrusted one shows the prompt
}

}  // namespace
}  // namespace corvella
