// The log file: one stamped entry per call, appended to a file whose folder
// is made once per run; no failure ever reaches the caller.
#include "core/app/log.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/sim/sim_platform.h"
#include "tests/support/temporary_folder.h"

namespace corvella {
namespace {

using namespace std::chrono;
namespace fs = std::filesystem;

class LogTest : public ::testing::Test {
 protected:
  fs::path folder() const { return temporary.path() / "Logs"; }
  fs::path file() const { return folder() / "Corvella.log"; }
  std::string text() const { return temporary.read("Logs/Corvella.log"); }

  testing_support::TemporaryFolder temporary;
  sim::SimPlatform platform{folder()};
  Log log{platform.clock, platform.logLocation};
};

TEST_F(LogTest, EntriesFollowInCallOrderEachStampedAndBytesUnchangedInAFileOfTheirOwn) {
  log.log("leftHalf\n  OK 목표=(0,25 720×875) 결과=(0,25 720×875) Draft");
  platform.clock.advance(seconds{61});
  log.log("");
  platform.clock.advance(milliseconds{999});
  log.log("grid 3×2 편집기 ×5 — \U0001F468\u200D\U0001F469 “q”…");
  EXPECT_EQ(text(),
            "2026-01-02T03:04:05Z leftHalf\n"
            "  OK 목표=(0,25 720×875) 결과=(0,25 720×875) Draft\n"
            "2026-01-02T03:05:06Z \n"
            "2026-01-02T03:05:06Z grid 3×2 편집기 ×5 — \U0001F468\u200D\U0001F469 “q”…\n");
  EXPECT_EQ(platform.logLocation.createRequests(), std::vector<fs::path>{folder()});
  // The whole-file write of the first entry leaves nothing else behind.
  EXPECT_EQ(std::distance(fs::directory_iterator(folder()), fs::directory_iterator()), 1);
}

TEST_F(LogTest, TimeStampsAreUtcWholeSecondsWithZ) {
  const std::pair<sys_time<milliseconds>, const char*> rows[] = {
      {sys_days{1970y / January / 1}, "1970-01-01T00:00:00Z x\n"},
      {sys_days{2026y / December / 5} + 16h + 25min + 999ms, "2026-12-05T16:25:00Z x\n"},
      {sys_days{2024y / February / 29} + 23h + 59min + 59s, "2024-02-29T23:59:59Z x\n"},
      {sys_days{1969y / December / 31} + 23h + 59min + 59s + 500ms, "1969-12-31T23:59:59Z x\n"},
  };
  std::string expected;
  for (const auto& [time, line] : rows) {
    platform.clock.set(time);
    log.log("x");
    expected += line;
  }
  EXPECT_EQ(text(), expected);
}

TEST_F(LogTest, AnExistingFileIsAppendedToAndADeletedOneIsCreatedAgain) {
  fs::create_directories(folder());
  std::ofstream(file(), std::ios::binary) << "earlier run\n";
  log.log("one");
  EXPECT_EQ(text(), "earlier run\n2026-01-02T03:04:05Z one\n");
  fs::remove(file());
  log.log("two");
  log.log("three");
  EXPECT_EQ(text(), "2026-01-02T03:04:05Z two\n2026-01-02T03:04:05Z three\n");
}

TEST_F(LogTest, TheLocationIsDecidedOnceSoADeletedFolderDropsLaterEntriesSilently) {
  log.log("one");
  fs::remove_all(folder());
  platform.logLocation.setFolder(temporary.path() / "Elsewhere");
  EXPECT_NO_THROW(log.log("two"));
  EXPECT_FALSE(fs::exists(folder()) || fs::exists(temporary.path() / "Elsewhere"));
  EXPECT_EQ(platform.logLocation.createRequests().size(), 1u);
}

TEST_F(LogTest, NoFolderOrNoLocationAtAllDropsEveryEntry) {
  platform.logLocation.setCreateFails(true);
  EXPECT_NO_THROW(log.log("one"));
  EXPECT_FALSE(fs::exists(folder()));
  EXPECT_EQ(log.logFileURL(), file());

  sim::SimPlatform nowhere(std::nullopt);
  Log unplaced{nowhere.clock, nowhere.logLocation};
  EXPECT_NO_THROW(unplaced.log("one"));
  EXPECT_FALSE(unplaced.logFileURL());
  EXPECT_TRUE(nowhere.logLocation.createRequests().empty());
}

TEST_F(LogTest, AnEntryThatCannotBeAppendedNeverReplacesWhatIsThere) {
  // A socket where the file belongs exists but cannot be opened, even by root;
  // writing the entry as a new whole file would throw the old one away.
  fs::create_directories(folder());
  const int socketHandle = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string path = file().string();
  ASSERT_LT(path.size(), sizeof address.sun_path);
  std::copy(path.begin(), path.end(), address.sun_path);
  ASSERT_EQ(::bind(socketHandle, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

  EXPECT_NO_THROW(log.log("one"));
  EXPECT_TRUE(fs::is_socket(file()));
  EXPECT_FALSE(fs::exists(folder() / "Corvella.log.tmp"));
  ::close(socketHandle);
}

}  // namespace
}  // namespace corvella
