// Launch at login: an XDG autostart entry that starts the installed program
// (never one in a build folder, one below a CMake cache) and shows off once
// its Exec line no longer finds a program. Following a moved one is end to end.
#include "platform/xdg/xdg_autostart_entry.h"
#include "platform/xdg/installed_program.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "tests/support/environment.h"
#include "tests/support/temporary_folder.h"

namespace corvella::xdg {
namespace {

namespace fs = std::filesystem;

class AutostartEntryTest : public ::testing::Test {
 protected:
  std::string content() const { return folder.read("autostart/corvella.desktop"); }
  fs::path program(const fs::path& name, bool executable = true) {
    const fs::path path = folder.path() / name;
    fs::create_directories(path.parent_path());
    std::ofstream(path) << "#!/bin/sh\n";
    ::chmod(path.c_str(), executable ? 0755 : 0644);
    return path;
  }
  std::string bin(const std::string& name) const { return (folder.path() / name).string(); }
  // An item run by the program, with this PATH.
  XdgAutostartEntry item(const fs::path& running) {
    return XdgAutostartEntry(entry, running,
                             testing_support::environmentOf({{"PATH", searchPath}}));
  }

  testing_support::TemporaryFolder folder;
  const fs::path entry = folder.path() / "autostart" / "corvella.desktop";
  std::string searchPath;
};

TEST_F(AutostartEntryTest,
       FromABuildFolderTheFirstInstalledProgramOnThePathIsTakenElseTheProblemIsNamed) {
  program("checkout/build/CMakeCache.txt", false);
  const fs::path running = program("checkout/build/src/platform/x11/corvella");
  program("checkout/build/bin/corvella");                     // on the path, yet a build too
  program("plain/corvella", false);                           // not executable
  fs::create_directories(folder.path() / "folder/corvella");  // not a file
  program("build/corvella");  // the cache decides, not a folder's name
  program("usr/bin/corvella");
  // Empty and relative entries stand for the folder a login starts in.
  searchPath = ":relative/bin:" + bin("missing") + ":" + bin("checkout/build/bin") + ":" +
               bin("plain") + ":" + bin("folder") + ":" + bin("build") + ":" + bin("usr/bin");
  EXPECT_EQ(findInstalledProgram(running, searchPath).path, folder.path() / "build/corvella");
  // Without one the problem is named.
  EXPECT_EQ(findInstalledProgram(running, bin("checkout/build")).problem,
            "no installed corvella to start at login (" + running.string() +
                " runs from a build folder, none on PATH)");
  // The running program was removed after it started (an uninstall, an upgrade).
  const fs::path gone = folder.path() / "removed/bin/corvella";
  EXPECT_EQ(findInstalledProgram(gone, "").problem,
            "no installed corvella to start at login (" + gone.string() +
                " is not an executable file, none on PATH)");
}

// An installed running program is taken as it stands, whatever PATH has.
TEST_F(AutostartEntryTest, RegisteringWritesTheEntryAndUnregisteringRemovesIt) {
  searchPath = program("usr/bin/corvella").parent_path().string();
  const fs::path installed = program("opt/corvella/bin/corvella");
  XdgAutostartEntry login = item(installed);
  EXPECT_EQ(login.status(), LoginItemStatus::notRegistered);
  EXPECT_EQ(login.registerApp(), std::nullopt);
  EXPECT_EQ(login.status(), LoginItemStatus::enabled);
  const std::string path = installed.string();
  EXPECT_EQ(content(),
            "[Desktop Entry]\nType=Application\nName=Corvella\n"
            "Comment=Keyboard-driven window placement\nIcon=corvella\nExec=\"" +
                path + "\"\nTryExec=" + path +
                "\nTerminal=false\nX-GNOME-Autostart-enabled=true\n");
  EXPECT_EQ(login.unregisterApp(), std::nullopt);
  EXPECT_EQ(login.status(), LoginItemStatus::notRegistered);
  // Removing what is not there is no failure.
  EXPECT_EQ(login.unregisterApp(), std::nullopt);
}

TEST_F(AutostartEntryTest, APathWithSpecialCharactersIsQuotedReadBackAndValidForDesktops) {
  // Inside the quotes ", `, $ and \ take a backslash; the file format then doubles every backslash.
  const std::string text = XdgAutostartEntry::entryText("/home/a b/$x/c\"d/e\\f");
  EXPECT_NE(text.find("Exec=\"/home/a b/\\\\$x/c\\\\\"d/e\\\\\\\\f\"\n"
                      "TryExec=/home/a b/$x/c\"d/e\\\\f\n"),
            std::string::npos)
      << text;
  XdgAutostartEntry login = item(program("a b/$x/c\"d`e/e\\f/corvella"));
  ASSERT_EQ(login.registerApp(), std::nullopt);
  EXPECT_EQ(login.status(), LoginItemStatus::enabled) << content();
  if (std::system("command -v desktop-file-validate >/dev/null") != 0) {
    GTEST_SKIP() << "desktop-file-validate is missing (desktop-file-utils)";
  }
  const std::string check = "desktop-file-validate '" + entry.string() + "' >/dev/null 2>&1";
  EXPECT_EQ(std::system(check.c_str()), 0) << content();
}

TEST_F(AutostartEntryTest, TheExecValueGivesItsFirstArgumentUnquoted) {
  const std::pair<std::string, std::optional<std::string>> values[] = {
      {"corvella --settings %U", "corvella"},
      {"  /usr/bin/corvella", "/usr/bin/corvella"},
      // The file format's escapes first (\\ and \s), then the quoting's.
      {"\"/a\\\\$b\\s/c\\\\\\\\d\"", "/a$b /c\\d"},
      {"\"/never/closed", std::nullopt},
      {"   ", std::nullopt},
  };
  for (const auto& [value, program] : values) {
    EXPECT_EQ(XdgAutostartEntry::execProgram(value), program) << value;
  }
}

TEST_F(AutostartEntryTest, AnEntryWrittenByHandIsEnabledWhileItsProgramCanStart) {
  searchPath = program("bin/corvella").parent_path().string();
  constexpr auto on = LoginItemStatus::enabled;
  constexpr auto off = LoginItemStatus::notRegistered;
  const std::pair<std::string, LoginItemStatus> entries[] = {
      {"Exec=corvella\n", on},
      {"Exec=corvella-old --x\n", off},
      {"Exec=\"" + searchPath + "/corvella\"\n", on},
      // Switched off by a desktop (Hidden=true or X-GNOME-Autostart-enabled=false).
      {"Exec=corvella\nHidden=true\n", off},
      // Only the main group counts.
      {"Name=Corvella\n[Desktop Action Settings]\nExec=corvella --settings\n", off},
      {"Exec=corvella\n[Desktop Action Off]\nHidden=true\n", on},
  };
  fs::create_directories(entry.parent_path());
  for (const auto& [text, status] : entries) {
    std::ofstream(entry) << "[Desktop Entry]\n" + text;
    EXPECT_EQ(item("/nowhere/corvella").status(), status) << text;
  }
}

// What cannot be read as an entry (no file, a folder, a FIFO) reads alike:
// not registered; a FIFO's reading not blocking is end to end.
TEST_F(AutostartEntryTest, AFolderInPlaceOfTheEntryIsLeftAloneAndFailuresAreDescribed) {
  fs::create_directories(entry);
  EXPECT_TRUE(item(program("bin/corvella")).registerApp().has_value());
  EXPECT_TRUE(fs::is_directory(entry));
  XdgAutostartEntry nowhere(std::nullopt, "/x");
  EXPECT_EQ(nowhere.status(), LoginItemStatus::notFound);
  EXPECT_EQ(nowhere.registerApp(), "no configuration folder (XDG_CONFIG_HOME, HOME)");
  EXPECT_EQ(nowhere.unregisterApp(), "no configuration folder (XDG_CONFIG_HOME, HOME)");
}

}  // namespace
}  // namespace corvella::xdg
