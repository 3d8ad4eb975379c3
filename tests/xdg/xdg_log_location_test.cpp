// The log's folder under the XDG state home, private to the user.
#include "platform/xdg/xdg_log_location.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "core/app/log.h"
#include "platform/sim/sim_platform.h"
#include "tests/support/temporary_folder.h"

namespace corvella::xdg {
namespace {

namespace fs = std::filesystem;
using testing_support::TemporaryFolder;

EnvironmentReader environmentOf(std::map<std::string, std::string> variables) {
  return [variables](std::string_view name) -> std::optional<std::string> {
    auto found = variables.find(std::string(name));
    if (found == variables.end()) return std::nullopt;
    return found->second;
  };
}

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

}  // namespace
}  // namespace corvella::xdg
