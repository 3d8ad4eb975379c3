// The manual main loop: posted work on later turns, timers as the clock moves.
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

TEST(SimMainQueue, PostedWorkWaitsForALaterTurn) {
  SimPlatform platform;
  SimMainQueue& queue = platform.mainQueue;
  std::vector<std::string> log;
  queue.post([&] {
    log.push_back("first");
    queue.post([&] { log.push_back("posted by first"); });
  });
  queue.post([&] { log.push_back("second"); });
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(queue.runPending(), 2u);
  EXPECT_THAT(log, ElementsAre("first", "second"));
  EXPECT_EQ(queue.runUntilIdle(), 1u);
  EXPECT_THAT(log, ElementsAre("first", "second", "posted by first"));
}

TEST(SimMainQueue, RepeatingTimersFireInTimeOrderAsTheClockAdvances) {
  SimPlatform platform;
  SimMainQueue& queue = platform.mainQueue;
  std::vector<std::pair<std::string, double>> ticks;
  const auto tick = [&](const char* name) {
    return [&ticks, &platform, name] {
      ticks.emplace_back(
          name, std::chrono::duration<double>(platform.clock.current() - SimClock::defaultStart())
                    .count());
    };
  };
  const TimerID poll = queue.scheduleRepeating(2.0, tick("poll"));
  queue.scheduleRepeating(3.0, tick("slow"));
  EXPECT_EQ(queue.advance(1.9), 0u);
  // To 6.0: poll at 2, 4 and 6, slow at 3 and 6; at a tie the older timer first.
  EXPECT_EQ(queue.advance(4.1), 5u);
  using Tick = std::pair<std::string, double>;
  EXPECT_THAT(ticks, ElementsAre(Tick{"poll", 2}, Tick{"slow", 3}, Tick{"poll", 4}, Tick{"poll", 6},
                                 Tick{"slow", 6}));

  // A tick can invalidate its own timer; the other one goes on.
  int limitedTicks = 0;
  TimerID limited = 0;
  limited = queue.scheduleRepeating(2.0, [&] {
    if (++limitedTicks == 3) queue.invalidate(limited);
  });
  queue.invalidate(poll);
  EXPECT_EQ(queue.advance(60), 23u);
  EXPECT_FALSE(queue.isActive(limited));
  EXPECT_EQ(queue.activeTimerCount(), 1u);
}

}  // namespace
}  // namespace corvella::sim
