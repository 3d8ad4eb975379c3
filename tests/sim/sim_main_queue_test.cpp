// The manual main loop and clock.
#include "platform/sim/sim_main_queue.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/sim/sim_platform.h"

namespace corvella::sim {
namespace {

using ::testing::ElementsAre;
using namespace std::chrono_literals;

class SimMainQueueTest : public ::testing::Test {
 protected:
  // Seconds since the clock's start, for readable expectations.
  double elapsed() {
    return std::chrono::duration<double>(platform.clock.current() - SimClock::defaultStart())
        .count();
  }

  SimPlatform platform;
  SimMainQueue& queue = platform.mainQueue;
  std::vector<std::string> log;
};

TEST_F(SimMainQueueTest, ClockStartsAtAFixedMomentAndMovesOnlyWhenTold) {
  // 2026-01-02T03:04:05Z.
  EXPECT_EQ(
      std::chrono::duration_cast<std::chrono::seconds>(platform.clock.now().time_since_epoch())
          .count(),
      1767323045);
  platform.clock.advance(1500ms);
  EXPECT_DOUBLE_EQ(elapsed(), 1.5);
  EXPECT_THAT(platform.desktop.callTexts({SimPort::clock}), ElementsAre("now"));
}

TEST_F(SimMainQueueTest, PostedWorkWaitsForALaterTurn) {
  queue.post([&] {
    log.push_back("first");
    queue.post([&] { log.push_back("posted by first"); });
  });
  queue.post([&] { log.push_back("second"); });
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(queue.pendingCount(), 2u);

  EXPECT_EQ(queue.runPending(), 2u);
  EXPECT_THAT(log, ElementsAre("first", "second"));
  EXPECT_EQ(queue.pendingCount(), 1u);

  EXPECT_EQ(queue.runUntilIdle(), 1u);
  EXPECT_THAT(log, ElementsAre("first", "second", "posted by first"));
  EXPECT_EQ(queue.runUntilIdle(), 0u);
}

TEST_F(SimMainQueueTest, RunUntilIdleStopsWorkThatPostsItselfForever) {
  std::function<void()> again = [&] { queue.post(again); };
  queue.post(again);
  EXPECT_EQ(queue.runUntilIdle(50), 50u);
  EXPECT_EQ(queue.pendingCount(), 1u);
}

TEST_F(SimMainQueueTest, RepeatingTimersFireInTimeOrderAsTheClockAdvances) {
  std::vector<std::pair<std::string, double>> ticks;
  const TimerID poll = queue.scheduleRepeating(2.0, [&] { ticks.emplace_back("poll", elapsed()); });
  queue.scheduleRepeating(3.0, [&] { ticks.emplace_back("slow", elapsed()); });

  EXPECT_EQ(queue.advance(1.9), 0u);
  // To 6.0: poll at 2, 4 and 6, slow at 3 and 6; at a tie the older timer first.
  EXPECT_EQ(queue.advance(4.1), 5u);
  EXPECT_DOUBLE_EQ(elapsed(), 6.0);
  using Tick = std::pair<std::string, double>;
  EXPECT_THAT(ticks, ElementsAre(Tick{"poll", 2}, Tick{"slow", 3}, Tick{"poll", 4}, Tick{"poll", 6},
                                 Tick{"slow", 6}));
  EXPECT_EQ(queue.advance(0), 0u);
  EXPECT_DOUBLE_EQ(queue.interval(poll), 2.0);
}

TEST_F(SimMainQueueTest, ATickCanInvalidateItsOwnTimer) {
  int ticks = 0;
  TimerID timer = 0;
  timer = queue.scheduleRepeating(2.0, [&] {
    if (++ticks == 3) queue.invalidate(timer);
  });
  EXPECT_EQ(queue.advance(60), 3u);
  EXPECT_FALSE(queue.isActive(timer));
  EXPECT_EQ(queue.activeTimerCount(), 0u);
  EXPECT_THAT(platform.desktop.callTexts({SimPort::mainQueue}),
              ElementsAre("scheduleRepeating 2", "invalidate 1"));
}

TEST_F(SimMainQueueTest, AdvanceRunsPostedWorkBeforeAndAfterEachTick) {
  queue.post([&] { log.push_back("before"); });
  queue.scheduleRepeating(1.0, [&] {
    log.push_back("tick");
    queue.post([&] { log.push_back("after tick"); });
  });
  queue.advance(2.5);
  EXPECT_THAT(log, ElementsAre("before", "tick", "after tick", "tick", "after tick"));
}

TEST_F(SimMainQueueTest, DegenerateIntervalsAreRaisedToATenthOfAMillisecond) {
  int ticks = 0;
  queue.scheduleRepeating(0, [&] { ++ticks; });
  queue.scheduleRepeating(-5, [&] { ++ticks; });
  EXPECT_EQ(queue.advance(0.001), 20u);
  EXPECT_EQ(ticks, 20);
}

TEST_F(SimMainQueueTest, InvalidatingAnUnknownTimerDoesNothing) {
  int ticks = 0;
  queue.scheduleRepeating(1, [&] { ++ticks; });
  queue.invalidate(99);
  queue.advance(1);
  EXPECT_EQ(ticks, 1);
}

}  // namespace
}  // namespace corvella::sim
