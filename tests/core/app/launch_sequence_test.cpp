#include <gtest/gtest.h>

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

  Strings menu;
  for (const MainMenuEntry& entry : app.prepareToRun()) {
    menu.push_back("# " + entry.submenuTitle);
    for (const MenuItem& item : entry.items) menu.push_back(testing_support::describe(item));
  }
  // No target: each command goes to the first responder.
  EXPECT_EQ(menu, (Strings{"# ", "Close → performClose: key=w mask=0x100000", "# 편집",
                           "Cut → cut: key=x mask=0x100000", "Copy → copy: key=c mask=0x100000",
                           "Paste → paste: key=v mask=0x100000",
                           "Select All → selectAll: key=a mask=0x100000"}));
  EXPECT_EQ(platform.applicationUI.policyChanges(),
            (std::vector<ActivationPolicy>{ActivationPolicy::accessory}));
  EXPECT_FALSE(app.services().hasGridLayoutStore());
  EXPECT_TRUE(platform.hotKeyService.registrations().empty());
}

class LaunchSequenceTest : public testing::Test, protected AppHarness {};

TEST_F(LaunchSequenceTest, TrustedLaunchRunsItsStepsInOrderWithoutPromptOrTimer) {
  delegate->applicationDidFinishLaunching();

  // The store is created by the first registration's reading of the layouts;
  // the trust read feeds the start line; then the status item and the updater.
  EXPECT_EQ(trace(),
            (Strings{"data gridLayouts", "installPressHandler", "registerHotKey ×20",
                     "isProcessTrusted", "log", "createStatusItem rectangle.split.3x1 \"Corvella\"",
                     "bundleInfoString SUFeedURL", "string SUFeedURL", "log"}));
  EXPECT_EQ(logMessages(),
            (Strings{"시작 — 권한=true 단축키 실패=0", "자동 업데이트 — 꺼짐(피드 주소 없음)"}));
  EXPECT_EQ(platform.mainQueue.activeTimerCount(), 0u);
}

TEST_F(LaunchSequenceTest, UntrustedLaunchPromptsOnceThenPollsUntilTheFirstTickAfterTheGrant) {
  platform.desktop.setTrusted(false);
  delegate->applicationDidFinishLaunching();
  const std::size_t calls = platform.desktop.callCount();
  delegate->applicationDidFinishLaunching();  // a second call changes nothing
  EXPECT_EQ(platform.desktop.callCount(), calls);

  const Strings steps = trace();
  EXPECT_EQ(Strings(steps.end() - 3, steps.end()),
            (Strings{"log", "isProcessTrustedWithPrompt", "scheduleRepeating 2"}));
  EXPECT_EQ(logMessages().front(), "시작 — 권한=false 단축키 실패=0");
  // Nothing happens while the permission is missing, however long it takes.
  EXPECT_EQ(platform.mainQueue.advance(1.9), 0u);
  EXPECT_EQ(platform.mainQueue.advance(60.1), 31u);  // at 2, 4, ... 62
  EXPECT_TRUE(delegate->isWaitingForPermission());
  EXPECT_EQ(logMessages().size(), 2u);

  // The first tick after the grant logs once and stops the timer for good,
  // even if the permission is withdrawn and granted again later.
  platform.desktop.setTrusted(true);
  EXPECT_EQ(platform.mainQueue.advance(2), 1u);
  EXPECT_FALSE(delegate->isWaitingForPermission());
  EXPECT_EQ(platform.mainQueue.activeTimerCount(), 0u);
  EXPECT_EQ(logMessages().back(), "권한 허용됨");
  EXPECT_EQ(logMessages().size(), 3u);
  EXPECT_EQ(platform.desktop.promptsShown(), 1);
}

TEST_F(LaunchSequenceTest, StartLineCountsEveryRefusedHotKeyAndAWaitingPollEndsWithItsDelegate) {
  // Another application holds option-command-left (service mask 0x900), and a
  // stored grid reuses the built-in Center shortcut, so the later binding loses.
  platform.hotKeyService.occupyByAnotherApplication(123, 0x900);
  storeGrids(R"([{"id":"AAAAAAAA-0000-4000-8000-000000000001","columns":3,"rows":2,)"
             R"("shortcut":{"keyCode":8,"modifiers":1572864}}])");
  platform.desktop.setTrusted(false);
  delegate->applicationDidFinishLaunching();
  EXPECT_EQ(logMessages().at(1), "시작 — 권한=false 단축키 실패=2");
  delegate.reset();
  platform.desktop.setTrusted(true);
  EXPECT_EQ(platform.mainQueue.advance(10), 0u);
  EXPECT_EQ(logMessages().size(), 3u);
}

TEST(UpdaterDecision, DecidedOnceFromTheBundleAndTheDefaults) {
  // bundleFeed, defaultsFeed, frameworkPresent, logLine.
  const std::tuple<std::optional<std::string>, std::optional<sim::SimDefaultsValue>, bool,
                   const char*>
      cases[] = {
          {feed, {}, true, "자동 업데이트 — 켜짐"},
          {"", feed, true, "자동 업데이트 — 켜짐"},
          // Written by hand (defaults write … SUFeedURL -int 1): not a text, so
          // no address rather than the text "1".
          {{}, 1.0, true, "자동 업데이트 — 꺼짐(피드 주소 없음)"},
          {feed, {}, false, "자동 업데이트 — 꺼짐(업데이트 프레임워크 없음)"},
      };
  for (const auto& [bundleFeed, defaultsFeed, frameworkPresent, logLine] : cases) {
    SCOPED_TRACE(logLine);
    AppHarness app;
    app.platform.updater.setBundleInfoString("SUFeedURL", bundleFeed);
    if (defaultsFeed) app.platform.defaults.seed("SUFeedURL", *defaultsFeed);
    app.platform.updater.setFrameworkPresent(frameworkPresent);

    app.delegate->applicationDidFinishLaunching();

    const bool present = std::string(logLine).ends_with("켜짐");
    EXPECT_EQ(app.logMessages().at(1), logLine);
    const auto updater = app.delegate->updater();
    EXPECT_EQ(app.platform.updater.controllersStarted(), present ? 1u : 0u);
    // A feed set later changes nothing: the bundle was read once, and a
    // controller asked for only when a feed was configured.
    app.platform.updater.setBundleInfoString("SUFeedURL", feed);
    EXPECT_EQ(app.delegate->updater(), updater);
    EXPECT_EQ(updater != nullptr, present);
    const bool feedSet = !std::string(logLine).ends_with("(피드 주소 없음)");
    EXPECT_EQ(app.platform.desktop.callCount(sim::SimPort::updater), feedSet ? 2u : 1u);
  }
}

}  // namespace
}  // namespace corvella
