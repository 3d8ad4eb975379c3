#include "platform/xdg/xdg_log_location.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "core/app/log.h"
#include "platform/sim/sim_platform.h"

namespace corvella::xdg {
namespace {

namespace fs = std::filesystem;

class Folder {
 public:
  Folder() {
    std::string pattern = (fs::temp_directory_path() / "corvella-xdg-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~Folder() {
    std::error_code error;
    fs::remove_all(path_, error);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

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

TEST(XdgLogLocation, TheProcessEnvironmentIsReadByDefault) {
  ::setenv("CORVELLA_XDG_TEST_VARIABLE", "value", 1);
  EXPECT_EQ(processEnvironment("CORVELLA_XDG_TEST_VARIABLE"), "value");
  ::unsetenv("CORVELLA_XDG_TEST_VARIABLE");
  EXPECT_FALSE(processEnvironment("CORVELLA_XDG_TEST_VARIABLE"));
}

TEST(XdgLogLocation, CreatedFoldersArePrivateToTheUser) {
  Folder home;
  XdgLogLocation location(environmentOf({{"HOME", home.path().string()}}));
  auto folder = location.logsFolder();
  ASSERT_TRUE(folder);
  location.createFolder(*folder);
  ASSERT_TRUE(fs::is_directory(*folder));
  EXPECT_EQ(permissionsOf(*folder), fs::perms::owner_all);
  EXPECT_EQ(permissionsOf(home.path() / ".local"), fs::perms::owner_all);
  EXPECT_EQ(permissionsOf(home.path() / ".local" / "state"), fs::perms::owner_all);
}

TEST(XdgLogLocation, AnExistingLogFolderIsMadePrivateButItsParentsAreLeftAlone) {
  Folder state;
  fs::create_directories(state.path() / "Corvella");
  fs::permissions(state.path(), fs::perms(0755));
  fs::permissions(state.path() / "Corvella", fs::perms(0755));
  XdgLogLocation location(environmentOf({{"XDG_STATE_HOME", state.path().string()}}));
  location.createFolder(*location.logsFolder());
  EXPECT_EQ(permissionsOf(state.path() / "Corvella"), fs::perms::owner_all);
  EXPECT_EQ(permissionsOf(state.path()), fs::perms(0755));
}

TEST(XdgLogLocation, AFileInTheWayIsNoError) {
  Folder state;
  { std::ofstream(state.path() / "Corvella") << "not a folder"; }
  XdgLogLocation location(environmentOf({{"XDG_STATE_HOME", (state.path()).string()}}));
  EXPECT_NO_THROW(location.createFolder(state.path() / "Corvella" / "deeper"));
  EXPECT_TRUE(fs::is_regular_file(state.path() / "Corvella"));
}

TEST(XdgLogLocation, TheLogLandsInThePrivateStateFolder) {
  Folder state;
  XdgLogLocation location(environmentOf({{"XDG_STATE_HOME", state.path().string()}}));
  sim::SimPlatform platform;
  Log log(platform.clock, location);
  log.log("시작");
  const fs::path file = state.path() / "Corvella" / "Corvella.log";
  std::ifstream stream(file, std::ios::binary);
  std::string contents((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
  EXPECT_EQ(contents, "2026-01-02T03:04:05Z 시작\n");
  EXPECT_EQ(permissionsOf(state.path() / "Corvella"), fs::perms::owner_all);
}

}  // namespace
}  // namespace corvella::xdg
