// Which corvella launch at login starts: the running program when it is
// installed, else the first installed corvella on PATH, never one inside a
// build folder.
#include "platform/xdg/installed_program.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "tests/support/temporary_folder.h"

namespace corvella::xdg {
namespace {

namespace fs = std::filesystem;

class InstalledProgramTest : public ::testing::Test {
 protected:
  // A file at the path below the folder, made executable or not.
  fs::path file(const fs::path& name, bool executable = true) {
    const fs::path path = folder.path() / name;
    fs::create_directories(path.parent_path());
    std::ofstream(path) << "#!/bin/sh\n";
    ::chmod(path.c_str(), executable ? 0755 : 0644);
    return path;
  }
  fs::path buildProgram() {
    file("checkout/build/CMakeCache.txt", false);
    return file("checkout/build/src/platform/x11/corvella");
  }
  std::string bin(const std::string& name) const { return (folder.path() / name).string(); }

  testing_support::TemporaryFolder folder;
};

TEST_F(InstalledProgramTest, AnInstalledRunningProgramIsTakenAsItStands) {
  const fs::path running = file("opt/corvella/bin/corvella");
  file("usr/bin/corvella");
  const InstalledProgram found = findInstalledProgram(running, bin("usr/bin"));
  EXPECT_EQ(found.path, running);
  EXPECT_EQ(found.problem, "");
}

TEST_F(InstalledProgramTest, FromABuildFolderTheFirstInstalledProgramOnThePathIsTaken) {
  const fs::path running = buildProgram();
  file("checkout/build/bin/corvella");                        // on the path, yet a build too
  file("plain/corvella", false);                              // not executable
  fs::create_directories(folder.path() / "folder/corvella");  // not a file
  file("usr/local/bin/corvella");
  file("usr/bin/corvella");
  // Empty and relative entries stand for the folder a login starts in.
  const std::string searchPath = ":relative/bin:" + bin("missing") + ":" +
                                 bin("checkout/build/bin") + ":" + bin("plain") + ":" +
                                 bin("folder") + ":" + bin("usr/local/bin") + ":" + bin("usr/bin");
  EXPECT_EQ(findInstalledProgram(running, searchPath).path,
            folder.path() / "usr/local/bin/corvella");
}

TEST_F(InstalledProgramTest, WithoutAnInstalledProgramTheProblemIsNamed) {
  const fs::path running = buildProgram();
  file("checkout/build/bin/corvella");
  const InstalledProgram fromBuild = findInstalledProgram(running, bin("checkout/build/bin"));
  EXPECT_EQ(fromBuild.path, std::nullopt);
  EXPECT_EQ(fromBuild.problem, "no installed corvella to start at login (" + running.string() +
                                   " runs from a build folder, none on PATH)");

  // The running program was removed after it started (an uninstall, an upgrade).
  const fs::path gone = folder.path() / "usr/bin/corvella";
  EXPECT_EQ(findInstalledProgram(gone, "").problem,
            "no installed corvella to start at login (" + gone.string() +
                " is not an executable file, none on PATH)");
}

TEST_F(InstalledProgramTest, ABuildFolderIsOneBelowACMakeCache) {
  EXPECT_TRUE(insideBuildFolder(buildProgram()));
  EXPECT_FALSE(insideBuildFolder(file("checkout/bin/corvella")));
  // The cache file itself decides, not a folder's name.
  EXPECT_FALSE(insideBuildFolder(file("build/corvella")));
}

TEST_F(InstalledProgramTest, AProgramIsFoundByNameOnThePathOrByItsPath) {
  file("first/other");
  const fs::path second = file("second/corvella");
  const std::string searchPath = bin("first") + ":" + bin("second");
  EXPECT_EQ(findProgram("corvella", searchPath), second);
  EXPECT_EQ(findProgram("corvella", bin("first")), std::nullopt);
  EXPECT_EQ(findProgram(second.string(), ""), second);
  EXPECT_EQ(findProgram(file("usr/bin/plain", false).string(), ""), std::nullopt);
  EXPECT_EQ(findProgram("", searchPath), std::nullopt);
}

}  // namespace
}  // namespace corvella::xdg
