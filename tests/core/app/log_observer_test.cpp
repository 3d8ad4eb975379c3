// Observers of the log, and the capture built on them: every message in
// order, whether or not the file takes it, and nothing once removed.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/app/log.h"
#include "core/control/log_capture.h"
#include "platform/sim/sim_platform.h"

namespace corvella {
namespace {

using ::testing::ElementsAre;

TEST(LogObserverTest, ObserversSeeEachMessageAsGivenUntilRemoved) {
  sim::SimPlatform platform("/sim/Logs");
  Log log(platform.clock, platform.logLocation);
  std::vector<std::string> first, second;
  const auto a = log.addObserver([&](std::string_view m) { first.emplace_back(m); });
  const auto b = log.addObserver([&](std::string_view m) { second.emplace_back(m); });
  EXPECT_NE(a, b);
  log.log("leftHalf\n  OK 목표=(0,25 720×875) 결과=(0,25 720×875) Draft");
  log.removeObserver(a);
  log.log("");
  EXPECT_THAT(first, ElementsAre("leftHalf\n  OK 목표=(0,25 720×875) 결과=(0,25 720×875) Draft"));
  EXPECT_THAT(second,
              ElementsAre("leftHalf\n  OK 목표=(0,25 720×875) 결과=(0,25 720×875) Draft", ""));
  EXPECT_EQ(platform.logLocation.fileText("/sim/Logs/Corvella.log"),
            "2026-01-02T03:04:05Z leftHalf\n  OK 목표=(0,25 720×875) 결과=(0,25 720×875) Draft\n"
            "2026-01-02T03:04:05Z \n");
}

TEST(LogObserverTest, ACaptureHoldsWhatWasLoggedWhileItLivedEvenWithoutAFile) {
  sim::SimPlatform platform;  // no log folder at all
  Log log(platform.clock, platform.logLocation);
  log.log("before");
  std::vector<std::string> kept;
  {
    LogCapture capture(log);
    log.log("undo: 창 1개 복원");
    log.log("단축키 등록 실패 1개 — 다른 앱이 같은 조합을 쓰는 중");
    kept = capture.messages();
  }
  log.log("after");
  EXPECT_THAT(kept, ElementsAre("undo: 창 1개 복원",
                                "단축키 등록 실패 1개 — 다른 앱이 같은 조합을 쓰는 중"));
}

TEST(LogObserverTest, AnObserverThatThrowsDisturbsNeitherTheFileNorTheOthers) {
  sim::SimPlatform platform("/sim/Logs");
  Log log(platform.clock, platform.logLocation);
  log.addObserver([](std::string_view) { throw 1; });
  LogCapture capture(log);
  log.log("center: 초점 창 없음");
  EXPECT_THAT(capture.messages(), ElementsAre("center: 초점 창 없음"));
  EXPECT_EQ(platform.logLocation.fileText("/sim/Logs/Corvella.log"),
            "2026-01-02T03:04:05Z center: 초점 창 없음\n");
}

}  // namespace
}  // namespace corvella
