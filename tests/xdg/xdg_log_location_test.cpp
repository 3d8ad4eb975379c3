// Where the XDG shell keeps its files, and the log's folder and file there: private, never reached
// through a link or a guessable name, never glued together when a write was cut short.
#include "platform/xdg/xdg_log_location.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "core/app/log.h"
#include "platform/sim/sim_platform.h"
#include "platform/xdg/xdg_control_socket.h"
#include "platform/xdg/xdg_defaults_file.h"
#include "tests/support/environment.h"
#include "tests/support/private_mounts.h"
#include "tests/support/temporary_folder.h"

namespace corvella::xdg {
namespace {

namespace fs = std::filesystem;
using testing_support::environmentOf;
using Strings = std::vector<std::string>;

TEST(XdgFolders, EachXdgFolderFirstThenHomeNeverARelativeOrEmptyPath) {
  // XDG_CONFIG_HOME, XDG_STATE_HOME, XDG_RUNTIME_DIR and HOME (unset when null),
  // then where the defaults file, the log and the control socket live.
  using Path = std::optional<fs::path>;
  const std::tuple<std::array<const char*, 4>, Path, Path, Path> rows[] = {
      {{"/c", "/s", "/r", "/h"}, "/c/corvella/defaults.json", "/s/Corvella", "/r/corvella/control"},
      {{"c", "s", "r", "/h"},
       "/h/.config/corvella/defaults.json",
       "/h/.local/state/Corvella",
       "/h/.local/state/Corvella/runtime/control"},
      {{nullptr, "/s", "", nullptr}, std::nullopt, "/s/Corvella", "/s/Corvella/runtime/control"},
      {{nullptr, nullptr, nullptr, "h"}, std::nullopt, std::nullopt, std::nullopt},
  };
  const char* names[] = {"XDG_CONFIG_HOME", "XDG_STATE_HOME", "XDG_RUNTIME_DIR", "HOME"};
  for (const auto& [values, defaults, logs, socket] : rows) {
    testing_support::Variables variables;
    for (int i = 0; i < 4; ++i) {
      if (values[i]) variables[names[i]] = values[i];
    }
    const auto environment = environmentOf(variables);
    SCOPED_TRACE(testing::PrintToString(variables));
    EXPECT_EQ(XdgDefaultsFile::defaultFile(environment), defaults);
    EXPECT_EQ(XdgLogLocation(environment).logsFolder(), logs);
    EXPECT_EQ(controlSocketPath(environment), socket);
  }
}

fs::perms permissionsOf(const fs::path& path) {
  return fs::status(path).permissions() & fs::perms::mask;
}

// A log in a fresh state folder, with the warnings it gives kept.
class XdgLogTest : public ::testing::Test {
 protected:
  fs::path folder() const { return state.path() / "xdg/Corvella"; }
  fs::path file() const { return folder() / "Corvella.log"; }
  std::string text() const { return state.read("xdg/Corvella/Corvella.log"); }
  // A file outside the log's folder that a planted link points to.
  fs::path victim() const {
    fs::create_directories(folder());
    std::ofstream(state.path() / "victim") << "precious\n";
    return state.path() / "victim";
  }
  std::string notLogging(const std::string& why) const {
    return "corvella: not logging: the log folder " + folder().string() + " " + why;
  }

  testing_support::TemporaryFolder state;
  Strings warnings;
  XdgLogLocation location{environmentOf({{"XDG_STATE_HOME", (state.path() / "xdg").string()}}),
                          [this](const std::string& line) { warnings.push_back(line); }};
  sim::SimPlatform platform;
  Log log{platform.clock, location};
};

// Created folders are private; an existing log folder is made so, its parent left alone.
TEST_F(XdgLogTest, TheLogLandsInPrivateFoldersButAnExistingParentIsLeftAlone) {
  log.log("시작");
  EXPECT_EQ(permissionsOf(folder().parent_path()), fs::perms::owner_all);
  fs::permissions(folder().parent_path(), fs::perms(0755));
  fs::permissions(folder(), fs::perms(0755));
  location.createFolder(folder());
  EXPECT_EQ(permissionsOf(folder()), fs::perms::owner_all);
  EXPECT_EQ(permissionsOf(folder().parent_path()), fs::perms(0755));
  // A file in the way is no refusal: the writes that follow fail.
  std::ofstream(state.path() / "in-the-way") << "not a folder";
  EXPECT_TRUE(location.createFolder(state.path() / "in-the-way" / "deeper"));
}

TEST_F(XdgLogTest, AFolderOfAnotherUserIsRefusedWithOneWarningAndNeverWritten) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can give a folder to another user";
  fs::create_directories(folder());
  ASSERT_EQ(::chown(folder().c_str(), 65534, 65534), 0);
  log.log("one");
  log.log("two");
  EXPECT_FALSE(fs::exists(file()));
  EXPECT_FALSE(log.logFileURL().has_value());
  EXPECT_EQ(warnings, Strings{notLogging("belongs to another user (uid 65534)")});
}

TEST_F(XdgLogTest, AFolderThatCannotBeMadePrivateIsRefused) {
  fs::create_directories(folder());
  fs::permissions(folder(), fs::perms(0755));
  testing_support::ReadOnlyFolder readOnly(folder());
  if (readOnly.problem()) GTEST_SKIP() << "no read-only mount: " << *readOnly.problem();
  log.log("one");
  EXPECT_EQ(warnings, Strings{notLogging("cannot be made private (Read-only file system)")});
  EXPECT_FALSE(log.logFileURL().has_value());
}

TEST_F(XdgLogTest, ALinkInPlaceOfTheLogIsNeverFollowedOrReplaced) {
  fs::create_symlink(victim(), file());
  log.log("one");
  EXPECT_EQ(state.read("victim"), "precious\n");
  EXPECT_TRUE(fs::is_symlink(file()));
  EXPECT_TRUE(warnings.empty());
}

TEST_F(XdgLogTest, TheFirstEntryIsWrittenThroughAnUnguessableTemporaryFile) {
  // A link planted where a fixed temporary name would be is left alone.
  fs::create_symlink(victim(), folder() / "Corvella.log.tmp");
  log.log("시작");
  EXPECT_EQ(state.read("victim"), "precious\n");
  EXPECT_EQ(text(), "2026-01-02T03:04:05Z 시작\n");
  EXPECT_EQ(permissionsOf(file()), fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder()), fs::directory_iterator()), 2);
}

TEST_F(XdgLogTest, AtTheFileSizeLimitATornEntryIsEndedAndAFailedOneDropped) {
  fs::create_directories(folder());
  std::ofstream(file()) << "earlier\n";
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  // Past the limit a write fails instead of ending the process.
  const sighandler_t previous = ::signal(SIGXFSZ, SIG_IGN);
  // Room for "earlier\n" (8 bytes), one entry of 30 and one byte more.
  const rlimit small{39, saved.rlim_max};
  ::setrlimit(RLIMIT_FSIZE, &small);
  log.log("leftHalf");
  log.log("undo: 창 1개 복원");  // 43 bytes: only "2" fits
  log.log("redo: 창 1개 복원");  // nothing fits
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ::signal(SIGXFSZ, previous);
  log.log("done");
  EXPECT_EQ(text(), "earlier\n2026-01-02T03:04:05Z leftHalf\n2\n2026-01-02T03:04:05Z done\n");
}

}  // namespace
}  // namespace corvella::xdg
