// The log's folder under the XDG state home, private to the user, and the
// log file there: never reached through a link, never replaced through a
// guessable name, and never glued together when a write was cut short.
#include "platform/xdg/xdg_log_location.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "core/app/log.h"
#include "platform/sim/sim_platform.h"
#include "tests/support/environment.h"
#include "tests/support/private_mounts.h"
#include "tests/support/temporary_folder.h"

namespace corvella::xdg {
namespace {

namespace fs = std::filesystem;
using testing_support::environmentOf;
using testing_support::TemporaryFolder;

fs::perms permissionsOf(const fs::path& path) {
  return fs::status(path).permissions() & fs::perms::mask;
}

TEST(XdgLogLocation, FolderComesFromTheStateHomeElseHome) {
  struct Row {
    const char* name;
    std::map<std::string, std::string> environment;
    std::optional<fs::path> expected;
  };
  const Row rows[] = {
      {"state home", {{"XDG_STATE_HOME", "/s"}, {"HOME", "/h"}}, fs::path("/s/Corvella")},
      {"home", {{"HOME", "/home/ana"}}, fs::path("/home/ana/.local/state/Corvella")},
      {"relative state home is ignored",
       {{"XDG_STATE_HOME", "state"}, {"HOME", "/h"}},
       fs::path("/h/.local/state/Corvella")},
      {"empty state home is ignored",
       {{"XDG_STATE_HOME", ""}, {"HOME", "/h"}},
       fs::path("/h/.local/state/Corvella")},
      {"nothing", {}, std::nullopt},
      {"relative home", {{"HOME", "ana"}}, std::nullopt},
      {"empty home", {{"HOME", ""}}, std::nullopt},
  };
  for (const Row& row : rows) {
    XdgLogLocation location(environmentOf(row.environment));
    EXPECT_EQ(location.logsFolder(), row.expected) << row.name;
  }
}

TEST(XdgLogLocation, CreatedFoldersArePrivateAndTheLogLandsThere) {
  TemporaryFolder home;
  XdgLogLocation location(environmentOf({{"HOME", home.path().string()}}));
  sim::SimPlatform platform;
  Log log(platform.clock, location);
  log.log("시작");
  EXPECT_EQ(home.read(".local/state/Corvella/Corvella.log"), "2026-01-02T03:04:05Z 시작\n");
  for (const char* created : {".local", ".local/state", ".local/state/Corvella"}) {
    EXPECT_EQ(permissionsOf(home.path() / created), fs::perms::owner_all) << created;
  }
}

TEST(XdgLogLocation, AnExistingLogFolderIsMadePrivateButItsParentIsLeftAlone) {
  TemporaryFolder state;
  fs::create_directories(state.path() / "Corvella");
  fs::permissions(state.path(), fs::perms(0755));
  fs::permissions(state.path() / "Corvella", fs::perms(0755));
  XdgLogLocation location(environmentOf({{"XDG_STATE_HOME", state.path().string()}}));
  location.createFolder(*location.logsFolder());
  EXPECT_EQ(permissionsOf(state.path() / "Corvella"), fs::perms::owner_all);
  EXPECT_EQ(permissionsOf(state.path()), fs::perms(0755));

  // A file in the way is no error and stays as it was.
  { std::ofstream(state.path() / "in-the-way") << "not a folder"; }
  EXPECT_NO_THROW(location.createFolder(state.path() / "in-the-way" / "deeper"));
  EXPECT_EQ(state.read("in-the-way"), "not a folder");
}

// A log in a fresh state folder, with the warnings it gives kept.
class XdgLogTest : public ::testing::Test {
 protected:
  fs::path folder() const { return state.path() / "Corvella"; }
  fs::path file() const { return folder() / "Corvella.log"; }
  std::string text() const { return state.read("Corvella/Corvella.log"); }

  TemporaryFolder state;
  std::vector<std::string> warnings;
  XdgLogLocation location{environmentOf({{"XDG_STATE_HOME", state.path().string()}}),
                          [this](const std::string& line) { warnings.push_back(line); }};
  sim::SimPlatform platform;
  Log log{platform.clock, location};
};

TEST_F(XdgLogTest, AFolderOfAnotherUserIsRefusedWithOneWarningAndNeverWritten) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can give a folder to another user";
  fs::create_directories(folder());
  ASSERT_EQ(::chown(folder().c_str(), 65534, 65534), 0);
  log.log("one");
  log.log("two");
  EXPECT_FALSE(fs::exists(file()));
  EXPECT_FALSE(log.logFileURL().has_value());
  EXPECT_EQ(warnings,
            std::vector<std::string>{"corvella: not logging: the log folder " + folder().string() +
                                     " belongs to another user (uid 65534)"});
}

TEST_F(XdgLogTest, AFolderThatCannotBeMadePrivateIsRefused) {
  fs::create_directories(folder());
  fs::permissions(folder(), fs::perms(0755));
  testing_support::ReadOnlyFolder readOnly(folder(), testing_support::ReadOnlyFolder::Way::mount);
  if (readOnly.problem()) GTEST_SKIP() << "no read-only mount: " << *readOnly.problem();
  log.log("one");
  EXPECT_EQ(warnings,
            std::vector<std::string>{"corvella: not logging: the log folder " + folder().string() +
                                     " cannot be made private (Read-only file system)"});
  EXPECT_FALSE(log.logFileURL().has_value());
}

TEST_F(XdgLogTest, ALinkInPlaceOfTheLogIsNeverFollowedOrReplaced) {
  fs::create_directories(folder());
  { std::ofstream(state.path() / "victim") << "precious\n"; }
  fs::create_symlink(state.path() / "victim", file());
  log.log("one");
  EXPECT_EQ(state.read("victim"), "precious\n");
  EXPECT_TRUE(fs::is_symlink(file()));
  EXPECT_TRUE(warnings.empty());
}

TEST_F(XdgLogTest, TheFirstEntryIsWrittenThroughAnUnguessableTemporaryFile) {
  // A link planted where a fixed temporary name would be is left alone.
  fs::create_directories(folder());
  { std::ofstream(state.path() / "victim") << "precious\n"; }
  fs::create_symlink(state.path() / "victim", folder() / "Corvella.log.tmp");
  log.log("시작");
  EXPECT_EQ(state.read("victim"), "precious\n");
  EXPECT_EQ(text(), "2026-01-02T03:04:05Z 시작\n");
  EXPECT_FALSE(fs::is_symlink(file()));
  EXPECT_EQ(permissionsOf(file()), fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder()), fs::directory_iterator()), 2);
}

// The process's file-size limit for as long as this lives, with the signal
// that would otherwise end the process ignored.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    previous_ = ::signal(SIGXFSZ, SIG_IGN);
    set(bytes);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    ::signal(SIGXFSZ, previous_);
  }
  void set(rlim_t bytes) {
    rlimit limit{bytes, saved_.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }

 private:
  rlimit saved_{};
  sighandler_t previous_ = SIG_DFL;
};

TEST_F(XdgLogTest, AtTheFileSizeLimitATornEntryIsEndedAndAFailedOneDropped) {
  fs::create_directories(folder());
  { std::ofstream(file()) << "earlier\n"; }
  {
    // Room for "earlier\n" (8 bytes), one entry of 30 and one byte more.
    FileSizeLimit limit(39);
    log.log("leftHalf");
    log.log("undo: 창 1개 복원");  // 43 bytes: only "2" fits
    log.log("redo: 창 1개 복원");  // nothing fits
    limit.set(RLIM_INFINITY);
    log.log("done");
  }
  EXPECT_EQ(text(),
            "earlier\n"
            "2026-01-02T03:04:05Z leftHalf\n"
            "2\n"
            "2026-01-02T03:04:05Z done\n");
}

}  // namespace
}  // namespace corvella::xdg
