// The launch sequence on the simulated platform: the order of its effects,
// the start line, the status item, the updater decided once, and the
// permission prompt with its 2-second poll.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app_test_harness.h"

namespace corvella {
namespace {

using testing_support::AppHarness;
using Strings = std::vector<std::string>;

class LaunchSequenceTest : public testing::Test, protected AppHarness {};

TEST_F(LaunchSequenceTest, TrustedLaunchRunsItsStepsInOrderWithoutPromptOrTimer) {
  EXPECT_FALSE(services.hasGridLayoutStore());

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
  EXPECT_EQ(platform.desktop.promptsShown(), 0);
  EXPECT_EQ(platform.mainQueue.activeTimerCount(), 0u);
  EXPECT_FALSE(delegate->isWaitingForPermission());
  EXPECT_EQ(platform.applicationUI.statusItems(),
            (std::vector<sim::SimStatusItem>{{"rectangle.split.3x1", "Corvella"}}));
  EXPECT_TRUE(delegate->hasStatusItem());
  EXPECT_TRUE(services.hasGridLayoutStore());
}

TEST_F(LaunchSequenceTest, UntrustedLaunchPromptsOnceThenPollsEveryTwoSeconds) {
  platform.desktop.setTrusted(false);

  delegate->applicationDidFinishLaunching();

  const Strings calls = trace();
  ASSERT_GE(calls.size(), 2u);
  EXPECT_EQ(Strings(calls.end() - 3, calls.end()),
            (Strings{"log", "isProcessTrustedWithPrompt", "scheduleRepeating 2"}));
  EXPECT_EQ(logMessages(),
            (Strings{"시작 — 권한=false 단축키 실패=0", "자동 업데이트 — 꺼짐(피드 주소 없음)"}));
  EXPECT_EQ(platform.desktop.promptsShown(), 1);
  EXPECT_TRUE(delegate->isWaitingForPermission());

  // Nothing happens while the permission is missing, however long it takes.
  EXPECT_EQ(platform.mainQueue.advance(1.9), 0u);
  EXPECT_EQ(platform.mainQueue.advance(0.1), 1u);
  EXPECT_EQ(platform.mainQueue.advance(60), 30u);
  EXPECT_EQ(logMessages().size(), 2u);
  EXPECT_EQ(platform.desktop.promptsShown(), 1);

  // The first tick after the grant logs once and stops the timer for good.
  platform.desktop.setTrusted(true);
  EXPECT_EQ(platform.mainQueue.advance(2), 1u);
  EXPECT_EQ(logMessages().back(), "권한 허용됨");
  EXPECT_EQ(logMessages().size(), 3u);
  EXPECT_EQ(platform.mainQueue.activeTimerCount(), 0u);
  EXPECT_FALSE(delegate->isWaitingForPermission());

  // Withdrawing the permission later does not start it again.
  platform.desktop.setTrusted(false);
  EXPECT_EQ(platform.mainQueue.advance(60), 0u);
  platform.desktop.setTrusted(true);
  EXPECT_EQ(platform.mainQueue.advance(60), 0u);
  EXPECT_EQ(logMessages().size(), 3u);
  EXPECT_EQ(platform.desktop.promptsShown(), 1);
}

TEST_F(LaunchSequenceTest, ASecondLaunchCallChangesNothing) {
  platform.desktop.setTrusted(false);
  delegate->applicationDidFinishLaunching();
  const std::size_t calls = platform.desktop.callCount();

  delegate->applicationDidFinishLaunching();

  EXPECT_EQ(platform.desktop.callCount(), calls);
  EXPECT_EQ(platform.applicationUI.statusItems().size(), 1u);
  EXPECT_EQ(platform.mainQueue.activeTimerCount(), 1u);
  EXPECT_EQ(logMessages().size(), 2u);
}

TEST_F(LaunchSequenceTest, APollStillWaitingEndsWithItsDelegate) {
  platform.desktop.setTrusted(false);
  delegate->applicationDidFinishLaunching();
  ASSERT_EQ(platform.mainQueue.activeTimerCount(), 1u);

  delegate.reset();
  platform.desktop.setTrusted(true);

  EXPECT_EQ(platform.mainQueue.activeTimerCount(), 0u);
  EXPECT_EQ(platform.mainQueue.advance(10), 0u);
  EXPECT_EQ(logMessages().size(), 2u);
}

TEST_F(LaunchSequenceTest, StartLineCountsEveryRefusedHotKey) {
  // Another application holds option-command-left and option-command-F
  // (service masks: option 0x800 + command 0x100), and a stored grid reuses
  // the built-in Center shortcut, so the later binding loses.
  platform.hotKeyService.occupyByAnotherApplication(123, 0x900);
  platform.hotKeyService.occupyByAnotherApplication(3, 0x900);
  platform.defaults.seedData(
      "gridLayouts", R"([{"id":"AAAAAAAA-0000-4000-8000-000000000001","columns":3,"rows":2,)"
                     R"("shortcut":{"keyCode":8,"modifiers":1572864}}])");

  delegate->applicationDidFinishLaunching();

  EXPECT_EQ(logMessages(),
            (Strings{"단축키 등록 실패 3개 — 다른 앱이 같은 조합을 쓰는 중",
                     "시작 — 권한=true 단축키 실패=3", "자동 업데이트 — 꺼짐(피드 주소 없음)"}));
  // 20 actions and the grid were tried; 21 numbers were used.
  EXPECT_EQ(platform.hotKeyService.registerCallCount(), 21u);
  EXPECT_EQ(platform.hotKeyService.registrations().size(), 18u);
}

struct UpdaterCase {
  const char* name;
  std::optional<std::string> bundleFeed;
  std::optional<sim::SimDefaultsValue> defaultsFeed;
  bool frameworkPresent;
  const char* logLine;
  bool present;
};

class UpdaterDecisionTest : public testing::TestWithParam<UpdaterCase>, protected AppHarness {};

TEST_P(UpdaterDecisionTest, DecidesFromTheBundleAndTheDefaults) {
  const UpdaterCase& c = GetParam();
  platform.updater.setBundleInfoString("SUFeedURL", c.bundleFeed);
  if (c.defaultsFeed) platform.defaults.seed("SUFeedURL", *c.defaultsFeed);
  platform.updater.setFrameworkPresent(c.frameworkPresent);

  delegate->applicationDidFinishLaunching();

  EXPECT_EQ(logMessages().at(1), c.logLine);
  EXPECT_EQ(delegate->updater() != nullptr, c.present);
  EXPECT_EQ(platform.updater.controllersStarted(), c.present ? 1u : 0u);
}

const std::string feed = "https://updates.example.org/appcast.xml";

INSTANTIATE_TEST_SUITE_P(
    Feeds, UpdaterDecisionTest,
    testing::Values(
        UpdaterCase{"bundleOnly", feed, {}, true, "자동 업데이트 — 켜짐", true},
        UpdaterCase{"defaultsOnly", "", sim::SimDefaultsValue(feed), true, "자동 업데이트 — 켜짐",
                    true},
        UpdaterCase{"both", feed, sim::SimDefaultsValue(feed), true, "자동 업데이트 — 켜짐", true},
        UpdaterCase{"neither", {}, {}, true, "자동 업데이트 — 꺼짐(피드 주소 없음)", false},
        UpdaterCase{"bothEmpty", "", sim::SimDefaultsValue(std::string()), true,
                    "자동 업데이트 — 꺼짐(피드 주소 없음)", false},
        // A number under the key is no string: no feed.
        UpdaterCase{"defaultsOfWrongKind",
                    {},
                    sim::SimDefaultsValue(1.0),
                    true,
                    "자동 업데이트 — 꺼짐(피드 주소 없음)",
                    false},
        // A feed without the framework to run it.
        UpdaterCase{"frameworkMissing",
                    feed,
                    {},
                    false,
                    "자동 업데이트 — 꺼짐(업데이트 프레임워크 없음)",
                    false}),
    [](const testing::TestParamInfo<UpdaterCase>& param) { return std::string(param.param.name); });

TEST_F(LaunchSequenceTest, AnAbsentUpdaterStaysAbsentWhenAFeedIsSetLater) {
  delegate->applicationDidFinishLaunching();
  ASSERT_EQ(delegate->updater(), nullptr);

  platform.defaults.setString("SUFeedURL", feed);
  platform.updater.setBundleInfoString("SUFeedURL", feed);

  EXPECT_EQ(delegate->updater(), nullptr);
  EXPECT_EQ(platform.desktop.callCount(sim::SimPort::updater), 1u);  // the one bundle read
  EXPECT_EQ(platform.updater.controllersStarted(), 0u);
}

TEST_F(LaunchSequenceTest, APresentUpdaterIsStartedOnceAndReused) {
  platform.updater.setBundleInfoString("SUFeedURL", feed);
  delegate->applicationDidFinishLaunching();

  const auto first = delegate->updater();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(delegate->updater(), first);
  EXPECT_EQ(platform.updater.controllersStarted(), 1u);
}

}  // namespace
}  // namespace corvella
