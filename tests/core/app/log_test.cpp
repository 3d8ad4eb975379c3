// The log file: one stamped write per entry; no failure reaches the caller.
#include "core/app/log.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>

#include "platform/sim/sim_platform.h"

namespace corvella {
namespace {

using namespace std::chrono;
using ::testing::ElementsAre;
namespace fs = std::filesystem;

class LogTest : public ::testing::Test {
 protected:
  const fs::path folder = "/home/ana/Library/Logs";
  const fs::path file = folder / "Corvella.log";
  std::optional<std::string> text() const { return platform.logLocation.fileText(file); }
  std::vector<std::string> fileCalls() const {
    return platform.desktop.callTexts({sim::SimPort::logLocation});
  }

  sim::SimPlatform platform{folder};
  Log log{platform.clock, platform.logLocation};
};

TEST_F(LogTest, FirstEntryCreatesTheFolderAndAFileThenEachEntryIsOneAppendStampedInUtc) {
  log.log("시작");
  log.log("권한 허용됨");
  EXPECT_EQ(text(), "2026-01-02T03:04:05Z 시작\n2026-01-02T03:04:05Z 권한 허용됨\n");
  EXPECT_TRUE(platform.logLocation.folderExists(folder));
  // 21 bytes of stamp and space, the message's UTF-8 bytes, the line feed.
  const std::string path = file.string();
  EXPECT_THAT(
      fileCalls(),
      ElementsAre("logsFolder", "createFolder " + folder.string(), "appendToFile " + path + " 28",
                  "writeWholeFile " + path + " 28", "appendToFile " + path + " 38"));
  // Time stamps are UTC whole seconds with Z.
  const std::pair<sys_time<milliseconds>, const char*> stamps[] = {
      {sys_days{2026y / December / 5} + 16h + 25min + 999ms, "2026-12-05T16:25:00Z x\n"},
      {sys_days{1969y / December / 31} + 23h + 59min + 59s + 500ms, "1969-12-31T23:59:59Z x\n"},
  };
  std::string expected = *text();
  for (const auto& [time, line] : stamps) {
    platform.clock.set(time);
    log.log("x");
    expected += line;
  }
  EXPECT_EQ(text(), expected);
}

TEST_F(LogTest, EntriesFollowInCallOrderWithTheirOwnStampsAndObserversSeeThemUntilRemoved) {
  const std::string block = "leftHalf\n  OK 목표=(0,25 720×875) 결과=(0,25 720×875) Draft";
  std::vector<std::string> first, second;
  const auto a = log.addObserver([&](std::string_view m) { first.emplace_back(m); });
  log.addObserver([&](std::string_view m) { second.emplace_back(m); });
  log.addObserver([](std::string_view) { throw 1; });  // disturbs neither file nor others
  log.log(block);
  log.removeObserver(a);
  platform.clock.advance(seconds{61});
  log.log("");
  platform.clock.advance(milliseconds{999});
  log.log("grid 3×2 편집기 ×5 — \U0001F468\u200D\U0001F469 “q”…");
  EXPECT_EQ(text(),
            "2026-01-02T03:04:05Z " + block +
                "\n"
                "2026-01-02T03:05:06Z \n"
                "2026-01-02T03:05:06Z grid 3×2 편집기 ×5 — \U0001F468\u200D\U0001F469 “q”…\n");
  EXPECT_EQ(platform.logLocation.createRequests(), std::vector<fs::path>{folder});
  EXPECT_THAT(first, ElementsAre(block));
  EXPECT_EQ(second.size(), 3u);
}

TEST_F(LogTest, ADeletedOrRefusedFolderOrNoLocationAtAllDropsEveryEntry) {
  // Something that exists but does not open (a socket, a link) stays; writing
  // the entry as a new whole file would throw the old one away.
  log.log("one");
  platform.logLocation.putUnopenable(file);
  log.log("two");
  EXPECT_EQ(text(), "2026-01-02T03:04:05Z one\n");
  EXPECT_EQ(fileCalls().back(), "appendToFile " + file.string() + " 25");
  // The location is decided once: a folder deleted later is not made again.
  platform.logLocation.removeFolder(folder);
  platform.logLocation.setFolder("/elsewhere");
  EXPECT_NO_THROW(log.log("two"));
  EXPECT_FALSE(platform.logLocation.folderExists(folder));
  EXPECT_FALSE(platform.logLocation.folderExists("/elsewhere"));
  EXPECT_FALSE(text().has_value());
  EXPECT_EQ(log.logFileURL(), file);

  // A refused folder is never written to, not even once it exists.
  sim::SimPlatform refusing(folder);
  refusing.logLocation.setFolderRefused(true);
  refusing.logLocation.putFile(file, "someone else's\n");
  Log refused{refusing.clock, refusing.logLocation};
  refused.log("one");
  EXPECT_EQ(refusing.logLocation.fileText(file), "someone else's\n");
  EXPECT_FALSE(refused.logFileURL());
  sim::SimPlatform nowhere(std::nullopt);
  Log unplaced{nowhere.clock, nowhere.logLocation};
  EXPECT_NO_THROW(unplaced.log("one"));
  EXPECT_FALSE(unplaced.logFileURL());
}

TEST_F(LogTest, AnEntryCutShortIsEndedBeforeTheNextAndAFailedOneIsDropped) {
  platform.logLocation.putFile(file, "earlier run\n");  // appended to, never replaced
  // Room for the stamp and a little more: "2026-01-02T03:04:05Z leftHa".
  platform.logLocation.setSpaceLeft(27);
  log.log("leftHalf");
  log.log("dropped: the disk is full");
  platform.logLocation.setSpaceLeft(std::nullopt);
  log.log("undo: 창 1개 복원");
  log.log("redo: 창 1개 복원");
  EXPECT_EQ(text(),
            "earlier run\n"
            "2026-01-02T03:04:05Z leftHa\n"
            "2026-01-02T03:04:05Z undo: 창 1개 복원\n"
            "2026-01-02T03:04:05Z redo: 창 1개 복원\n");
  // A line feed itself cut short leaves the entry torn.
  platform.logLocation.putFile(file, "");
  platform.logLocation.setSpaceLeft(5);
  log.log("one");  // "2026-"
  platform.logLocation.setSpaceLeft(1);
  log.log("two");  // only the line feed that ends "2026-"
  platform.logLocation.setSpaceLeft(std::nullopt);
  log.log("three");
  EXPECT_EQ(text(), "2026-\n2026-01-02T03:04:05Z three\n");

  // A file made anew holds no torn entry to end.
  platform.logLocation.setSpaceLeft(3);
  log.log("four");
  platform.logLocation.removeFile(file);
  platform.logLocation.setSpaceLeft(std::nullopt);
  log.log("five");
  log.log("six");
  EXPECT_EQ(text(), "2026-01-02T03:04:05Z five\n2026-01-02T03:04:05Z six\n");
}

}  // namespace
}  // namespace corvella
