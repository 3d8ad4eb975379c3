#include "core/app/log.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>

#include "../actions/window_manager_test_desktop.h"
#include "platform/sim/sim_platform.h"

namespace corvella {
namespace {

using namespace std::chrono;
using fixtures::fileContents;
using fixtures::TemporaryFolder;

class LogTest : public ::testing::Test {
 protected:
  std::filesystem::path folder() const { return temporary.path() / "Library" / "Logs"; }
  std::filesystem::path file() const { return folder() / "Corvella.log"; }

  TemporaryFolder temporary;
  sim::SimPlatform platform{folder()};
  Log log{platform.clock, platform.logLocation};
};

TEST_F(LogTest, FirstEntryCreatesTheFolderAndAFileHoldingOnlyIt) {
  ASSERT_FALSE(std::filesystem::exists(folder()));
  log.log("시작");
  EXPECT_EQ(fileContents(file()), "2026-01-02T03:04:05Z 시작\n");
  EXPECT_EQ(platform.logLocation.createRequests(), std::vector<std::filesystem::path>{folder()});
  // The whole-file write leaves nothing else behind.
  std::size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder())) {
    ++entries;
  }
  EXPECT_EQ(entries, 1u);
}

TEST_F(LogTest, EntriesFollowInCallOrderEachWithItsOwnStamp) {
  log.log("leftHalf\n  OK 목표=(0,25 720×875) 결과=(0,25 720×875) Draft");
  platform.clock.advance(seconds{61});
  log.log("");
  platform.clock.advance(milliseconds{999});
  log.log("undo: 창 1개 복원");
  EXPECT_EQ(fileContents(file()),
            "2026-01-02T03:04:05Z leftHalf\n"
            "  OK 목표=(0,25 720×875) 결과=(0,25 720×875) Draft\n"
            "2026-01-02T03:05:06Z \n"
            "2026-01-02T03:05:06Z undo: 창 1개 복원\n");
  EXPECT_EQ(platform.logLocation.createRequests().size(), 1u) << "the location is decided once";
}

TEST_F(LogTest, TimeStampsAreUtcWholeSecondsWithZ) {
  struct Row {
    sys_time<milliseconds> time;
    const char* expected;
  };
  const Row rows[] = {
      {sys_days{1970y / January / 1}, "1970-01-01T00:00:00Z "},
      {sys_days{2026y / December / 5} + 16h + 25min + 999ms, "2026-12-05T16:25:00Z "},
      {sys_days{2024y / February / 29} + 23h + 59min + 59s, "2024-02-29T23:59:59Z "},
      {sys_days{1969y / December / 31} + 23h + 59min + 59s + 500ms, "1969-12-31T23:59:59Z "},
  };
  std::string expected;
  for (const Row& row : rows) {
    platform.clock.set(row.time);
    log.log("x");
    expected += std::string(row.expected) + "x\n";
  }
  EXPECT_EQ(fileContents(file()), expected);
}

TEST_F(LogTest, MessageBytesAreStoredUnchanged) {
  const std::string message =
      "grid 3×2 편집기 ×5 (칸 부족, 1개 그대로) — \U0001F468\u200D\U0001F469 “q”…";
  log.log(message);
  EXPECT_EQ(fileContents(file()), "2026-01-02T03:04:05Z " + message + "\n");
}

TEST_F(LogTest, AnExistingFileFromAnEarlierRunIsAppendedTo) {
  std::filesystem::create_directories(folder());
  { std::ofstream(file(), std::ios::binary) << "earlier run\n"; }
  log.log("again");
  EXPECT_EQ(fileContents(file()), "earlier run\n2026-01-02T03:04:05Z again\n");
}

TEST_F(LogTest, AFileDeletedWhileRunningIsCreatedAgainWithOnlyTheNextEntry) {
  log.log("one");
  std::filesystem::remove(file());
  log.log("two");
  log.log("three");
  EXPECT_EQ(fileContents(file()),
            "2026-01-02T03:04:05Z two\n"
            "2026-01-02T03:04:05Z three\n");
}

TEST_F(LogTest, AFolderDeletedWhileRunningDropsLaterEntriesSilently) {
  log.log("one");
  std::filesystem::remove_all(folder());
  EXPECT_NO_THROW(log.log("two"));
  EXPECT_NO_THROW(log.log("three"));
  EXPECT_FALSE(std::filesystem::exists(folder())) << "the folder is made only once";
  EXPECT_EQ(platform.logLocation.createRequests().size(), 1u);
}

TEST_F(LogTest, AFolderThatCannotBeCreatedDropsEntries) {
  platform.logLocation.setCreateFails(true);
  EXPECT_NO_THROW(log.log("one"));
  EXPECT_FALSE(std::filesystem::exists(folder()));
  EXPECT_EQ(log.logFileURL(), folder() / "Corvella.log");
}

TEST_F(LogTest, NoLocationAtAllDropsEveryEntry) {
  platform.logLocation.setFolder(std::nullopt);
  EXPECT_NO_THROW(log.log("one"));
  EXPECT_FALSE(log.logFileURL());
  EXPECT_TRUE(platform.logLocation.createRequests().empty());
  // Decided once: a folder offered later is not taken up.
  platform.logLocation.setFolder(folder());
  log.log("two");
  EXPECT_FALSE(std::filesystem::exists(folder()));
}

TEST_F(LogTest, TheLocationIsKeptForTheRestOfTheRun) {
  log.log("one");
  platform.logLocation.setFolder(temporary.path() / "Elsewhere");
  log.log("two");
  EXPECT_EQ(fileContents(file()),
            "2026-01-02T03:04:05Z one\n"
            "2026-01-02T03:04:05Z two\n");
  EXPECT_FALSE(std::filesystem::exists(temporary.path() / "Elsewhere"));
}

TEST_F(LogTest, AnEntryThatCannotBeAppendedNeverReplacesWhatIsThere) {
  // A socket where the file belongs exists but cannot be opened, even by root;
  // writing the entry as a new whole file would throw the old one away.
  std::filesystem::create_directories(folder());
  const int socketHandle = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(socketHandle, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string path = file().string();
  ASSERT_LT(path.size(), sizeof address.sun_path);
  std::copy(path.begin(), path.end(), address.sun_path);
  ASSERT_EQ(::bind(socketHandle, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

  EXPECT_NO_THROW(log.log("one"));
  EXPECT_TRUE(std::filesystem::is_socket(file()));
  EXPECT_FALSE(std::filesystem::exists(folder() / "Corvella.log.tmp"));
  ::close(socketHandle);
}

}  // namespace
}  // namespace corvella
