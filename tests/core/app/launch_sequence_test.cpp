// The program entry and the launch sequence on the simulated platform: the
// order of the launch's effects, the start line, the updater decided once,
// and the permission prompt with its 2-second poll.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app_test_harness.h"
#include "core/app/corvella.h"

namespace corvella {
namespace {

using testing_support::AppHarness;
using Strings = std::vector<std::string>;

const std::string feed = "https://updates.example.org/appcast.xml";

TEST(Composition, PrepareToRunMakesAnAccessoryAppWithTheSmallMainMenuAndLaunchesNothing) {
  sim::SimPlatform platform("/sim/Logs");
  platform.localizer.setTranslation("Edit", "편집");
  Corvella app(platform.services());

  const std::vector<MainMenuEntry> mainMenu = app.prepareToRun();

  EXPECT_EQ(platform.applicationUI.policyChanges(),
            (std::vector<ActivationPolicy>{ActivationPolicy::accessory}));
  // No target: each command goes to the first responder.
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
  EXPECT_FALSE(app.services().hasGridLayoutStore());
  EXPECT_TRUE(platform.hotKeyService.registrations().empty());
}

class LaunchSequenceTest : public testing::Test, protected AppHarness {};

TEST_F(LaunchSequenceTest, TrustedLaunchRunsItsStepsInOrderWithoutPromptOrTimer) {
  delegate->applicationDidFinishLaunching();

  // The store is created by the first registration's reading of the layouts;
  // the trust read feeds the start line; then the status item and the updater.
  EXPECT_EQ(trace(), (Strings{
                         "data gridLayouts",
                         "installPressHandler",
                         "registerHotKey ×20",
                         "isProcessTrusted",
                         "log",
                         "createStatusItem rectangle.split.3x1 \"Corvella\"",
                         "bundleInfoString SUFeedURL",
                         "string SUFeedURL",
                         "log",
                     }));
  EXPECT_EQ(logMessages(),
            (Strings{"시작 — 권한=true 단축키 실패=0", "자동 업데이트 — 꺼짐(피드 주소 없음)"}));
  EXPECT_EQ(platform.mainQueue.activeTimerCount(), 0u);
  EXPECT_FALSE(delegate->isWaitingForPermission());
}

TEST_F(LaunchSequenceTest, UntrustedLaunchPromptsOnceThenPollsUntilTheFirstTickAfterTheGrant) {
  platform.desktop.setTrusted(false);
  delegate->applicationDidFinishLaunching();

  const Strings calls = trace();
  ASSERT_GE(calls.size(), 3u);
  EXPECT_EQ(Strings(calls.end() - 3, calls.end()),
            (Strings{"log", "isProcessTrustedWithPrompt", "scheduleRepeating 2"}));
  EXPECT_EQ(logMessages().front(), "시작 — 권한=false 단축키 실패=0");

  // Nothing happens while the permission is missing, however long it takes.
  EXPECT_EQ(platform.mainQueue.advance(1.9), 0u);
  EXPECT_EQ(platform.mainQueue.advance(0.1), 1u);
  EXPECT_EQ(platform.mainQueue.advance(60), 30u);
  EXPECT_EQ(logMessages().size(), 2u);

  // The first tick after the grant logs once and stops the timer for good,
  // even if the permission is withdrawn and granted again later.
  platform.desktop.setTrusted(true);
  EXPECT_EQ(platform.mainQueue.advance(2), 1u);
  EXPECT_EQ(platform.mainQueue.activeTimerCount(), 0u);
  EXPECT_FALSE(delegate->isWaitingForPermission());
  platform.desktop.setTrusted(false);
  EXPECT_EQ(platform.mainQueue.advance(60), 0u);
  platform.desktop.setTrusted(true);
  EXPECT_EQ(platform.mainQueue.advance(60), 0u);
  EXPECT_EQ(logMessages().back(), "권한 허용됨");
  EXPECT_EQ(logMessages().size(), 3u);
  EXPECT_EQ(platform.desktop.promptsShown(), 1);
}

TEST_F(LaunchSequenceTest, ASecondLaunchCallChangesNothing) {
  platform.desktop.setTrusted(false);
  delegate->applicationDidFinishLaunching();
  const std::size_t calls = platform.desktop.callCount();

  delegate->applicationDidFinishLaunching();

  EXPECT_EQ(platform.desktop.callCount(), calls);
  EXPECT_EQ(platform.mainQueue.activeTimerCount(), 1u);
}

TEST_F(LaunchSequenceTest, APollStillWaitingEndsWithItsDelegate) {
  platform.desktop.setTrusted(false);
  delegate->applicationDidFinishLaunching();
  delegate.reset();
  platform.desktop.setTrusted(true);

  EXPECT_EQ(platform.mainQueue.activeTimerCount(), 0u);
  EXPECT_EQ(platform.mainQueue.advance(10), 0u);
  EXPECT_EQ(logMessages().size(), 2u);
}

TEST_F(LaunchSequenceTest, StartLineCountsEveryRefusedHotKey) {
  // Another application holds option-command-left (service mask 0x900), and a
  // stored grid reuses the built-in Center shortcut, so the later binding loses.
  platform.hotKeyService.occupyByAnotherApplication(123, 0x900);
  platform.defaults.seedData(
      "gridLayouts", R"([{"id":"AAAAAAAA-0000-4000-8000-000000000001","columns":3,"rows":2,)"
                     R"("shortcut":{"keyCode":8,"modifiers":1572864}}])");

  delegate->applicationDidFinishLaunching();

  EXPECT_EQ(logMessages(),
            (Strings{"단축키 등록 실패 2개 — 다른 앱이 같은 조합을 쓰는 중",
                     "시작 — 권한=true 단축키 실패=2", "자동 업데이트 — 꺼짐(피드 주소 없음)"}));
}

TEST(UpdaterDecision, DecidedOnceFromTheBundleAndTheDefaults) {
  const struct {
    const char* name;
    std::optional<std::string> bundleFeed;
    std::optional<std::string> defaultsFeed;
    bool frameworkPresent;
    const char* logLine;
  } cases[] = {
      {"bundle only", feed, {}, true, "자동 업데이트 — 켜짐"},
      {"defaults only", "", feed, true, "자동 업데이트 — 켜짐"},
      {"neither", {}, {}, true, "자동 업데이트 — 꺼짐(피드 주소 없음)"},
      {"both empty", "", "", true, "자동 업데이트 — 꺼짐(피드 주소 없음)"},
      {"framework missing", feed, {}, false, "자동 업데이트 — 꺼짐(업데이트 프레임워크 없음)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AppHarness app;
    app.platform.updater.setBundleInfoString("SUFeedURL", c.bundleFeed);
    if (c.defaultsFeed) app.platform.defaults.setString("SUFeedURL", *c.defaultsFeed);
    app.platform.updater.setFrameworkPresent(c.frameworkPresent);

    app.delegate->applicationDidFinishLaunching();

    const bool present = std::string(c.logLine).ends_with("켜짐");
    EXPECT_EQ(app.logMessages().at(1), c.logLine);
    const auto updater = app.delegate->updater();
    EXPECT_EQ(updater != nullptr, present);
    EXPECT_EQ(app.delegate->updater(), updater);  // the same controller on every read
    EXPECT_EQ(app.platform.updater.controllersStarted(), present ? 1u : 0u);
  }
}

TEST_F(LaunchSequenceTest, AnAbsentUpdaterStaysAbsentWhenAFeedIsSetLater) {
  delegate->applicationDidFinishLaunching();
  platform.defaults.setString("SUFeedURL", feed);
  platform.updater.setBundleInfoString("SUFeedURL", feed);

  EXPECT_EQ(delegate->updater(), nullptr);
  EXPECT_EQ(platform.desktop.callCount(sim::SimPort::updater), 1u);  // the one bundle read
  EXPECT_EQ(platform.updater.controllersStarted(), 0u);
}

}  // namespace
}  // namespace corvella
