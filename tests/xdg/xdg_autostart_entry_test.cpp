// Launch at login as an XDG autostart entry: it starts the installed program,
// looked up when the item is switched on (which one is pinned by the
// installed program's tests), and shows off once that program is gone.
#include "platform/xdg/xdg_autostart_entry.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include "tests/support/temporary_folder.h"

namespace corvella::xdg {
namespace {

namespace fs = std::filesystem;

class AutostartEntryTest : public ::testing::Test {
 protected:
  std::string content() const { return folder.read("autostart/corvella.desktop"); }
  void writeEntry(const std::string& text) {
    fs::create_directories(entry.parent_path());
    std::ofstream(entry) << text;
  }
  fs::path program(const fs::path& name) {
    const fs::path path = folder.path() / name;
    fs::create_directories(path.parent_path());
    std::ofstream(path) << "#!/bin/sh\n";
    ::chmod(path.c_str(), 0755);
    return path;
  }
  // An item run by the program, with this PATH.
  XdgAutostartEntry item(const fs::path& running) {
    return XdgAutostartEntry(entry, running, [this](std::string_view name) {
      return name == "PATH" ? std::optional<std::string>(searchPath) : std::nullopt;
    });
  }

  testing_support::TemporaryFolder folder;
  const fs::path entry = folder.path() / "autostart" / "corvella.desktop";
  std::string searchPath;
};

TEST_F(AutostartEntryTest, RegisteringWritesTheEntryAndUnregisteringRemovesIt) {
  const fs::path installed = program("opt/corvella/bin/corvella");
  XdgAutostartEntry login = item(installed);
  EXPECT_EQ(login.status(), LoginItemStatus::notRegistered);
  EXPECT_EQ(login.registerApp(), std::nullopt);
  EXPECT_EQ(login.status(), LoginItemStatus::enabled);
  EXPECT_EQ(content(),
            "[Desktop Entry]\n"
            "Type=Application\n"
            "Name=Corvella\n"
            "Comment=Keyboard-driven window placement\n"
            "Icon=corvella\n"
            "Exec=\"" +
                installed.string() +
                "\"\n"
                "TryExec=" +
                installed.string() +
                "\n"
                "Terminal=false\n"
                "X-GNOME-Autostart-enabled=true\n");
  EXPECT_EQ(login.unregisterApp(), std::nullopt);
  EXPECT_EQ(login.status(), LoginItemStatus::notRegistered);
  // Removing what is not there is no failure.
  EXPECT_EQ(login.unregisterApp(), std::nullopt);
}

TEST_F(AutostartEntryTest, AMovedProgramShowsOffAndRegisteringWritesAFreshEntry) {
  const fs::path first = program("old/bin/corvella");
  const fs::path moved = folder.path() / "new/bin/corvella";
  XdgAutostartEntry login = item(first);
  ASSERT_EQ(login.registerApp(), std::nullopt);
  fs::create_directories(moved.parent_path());
  fs::rename(first, moved);
  EXPECT_EQ(login.status(), LoginItemStatus::notRegistered);

  // The running program is gone from where it started; PATH has it now.
  searchPath = moved.parent_path().string();
  EXPECT_EQ(login.registerApp(), std::nullopt);
  EXPECT_EQ(login.status(), LoginItemStatus::enabled);
  EXPECT_NE(content().find("\nExec=\"" + moved.string() + "\"\n"), std::string::npos) << content();

  fs::remove(moved);  // uninstalled
  EXPECT_EQ(login.status(), LoginItemStatus::notRegistered);
}

TEST_F(AutostartEntryTest, APathWithSpecialCharactersIsQuotedReadBackAndValidForDesktops) {
  // Inside the quotes ", `, $ and \ take a backslash; the file format then
  // doubles every backslash.
  EXPECT_NE(XdgAutostartEntry::entryText("/home/a b/$x/c\"d/e\\f")
                .find("Exec=\"/home/a b/\\\\$x/c\\\\\"d/e\\\\\\\\f\"\n"
                      "TryExec=/home/a b/$x/c\"d/e\\\\f\n"),
            std::string::npos)
      << XdgAutostartEntry::entryText("/home/a b/$x/c\"d/e\\f");
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
  const std::map<std::string, std::optional<std::string>> values = {
      {"corvella", "corvella"},
      {"corvella --settings %U", "corvella"},
      {"  /usr/bin/corvella", "/usr/bin/corvella"},
      {"\"/opt/my apps/corvella\" --headless", "/opt/my apps/corvella"},
      // The file format's escapes first (\\ and \s), then the quoting's.
      {"\"/a\\\\$b/c\\\\\\\\d\"", "/a$b/c\\d"},
      {"\"/a\\sb\"", "/a b"},
      {"\"/never/closed", std::nullopt},
      {"", std::nullopt},
      {"   ", std::nullopt},
  };
  for (const auto& [value, program] : values) {
    EXPECT_EQ(XdgAutostartEntry::execProgram(value), program) << value;
  }
}

TEST_F(AutostartEntryTest, AnEntryWrittenByHandIsEnabledWhileItsProgramCanStart) {
  searchPath = program("bin/corvella").parent_path().string();
  const std::map<std::string, LoginItemStatus> entries = {
      {"[Desktop Entry]\nExec=corvella\n", LoginItemStatus::enabled},
      {"[Desktop Entry]\nExec=corvella-old --x\n", LoginItemStatus::notRegistered},
      {"[Desktop Entry]\nExec=\"" + searchPath + "/corvella\"\n", LoginItemStatus::enabled},
      // Switched off the ways desktops do it.
      {"[Desktop Entry]\nExec=corvella\nHidden=true\n", LoginItemStatus::notRegistered},
      {"[Desktop Entry]\nExec=corvella\nX-GNOME-Autostart-enabled=false\n",
       LoginItemStatus::notRegistered},
      // Only the main group counts.
      {"[Desktop Entry]\nName=Corvella\n[Desktop Action Settings]\nExec=corvella --settings\n",
       LoginItemStatus::notRegistered},
      {"[Desktop Entry]\nExec=corvella\n[Desktop Action Off]\nHidden=true\n",
       LoginItemStatus::enabled},
      {"", LoginItemStatus::notRegistered},
  };
  for (const auto& [text, status] : entries) {
    writeEntry(text);
    EXPECT_EQ(item("/nowhere/corvella").status(), status) << text;
  }
}

TEST_F(AutostartEntryTest, AnEntryThatIsNoFileShowsOffWithoutWaiting) {
  program("bin/corvella");
  fs::create_directories(entry.parent_path());
  // A FIFO no one writes to: reading must not block.
  ASSERT_EQ(::mkfifo(entry.c_str(), 0600), 0);
  XdgAutostartEntry login = item(folder.path() / "bin/corvella");
  EXPECT_EQ(login.status(), LoginItemStatus::notRegistered);
  EXPECT_EQ(login.registerApp(), std::nullopt);  // replaced by a real entry
  EXPECT_EQ(login.status(), LoginItemStatus::enabled);

  fs::remove(entry);
  fs::create_directories(entry);
  EXPECT_EQ(login.status(), LoginItemStatus::notRegistered);
  EXPECT_TRUE(login.registerApp().has_value()) << "a folder is not replaced";
  EXPECT_TRUE(fs::is_directory(entry));
}

TEST_F(AutostartEntryTest, FailuresComeBackAsDescriptions) {
  XdgAutostartEntry nowhere(std::nullopt, "/x");
  EXPECT_EQ(nowhere.status(), LoginItemStatus::notFound);
  EXPECT_EQ(nowhere.registerApp(), "no configuration folder (XDG_CONFIG_HOME, HOME)");
  EXPECT_EQ(nowhere.unregisterApp(), "no configuration folder (XDG_CONFIG_HOME, HOME)");
  // A plain file where the autostart folder should be.
  std::ofstream(folder.path() / "autostart") << "in the way";
  auto failure = item(program("bin/corvella")).registerApp();
  ASSERT_TRUE(failure.has_value());
  EXPECT_NE(failure->find("autostart"), std::string::npos) << *failure;
}

}  // namespace
}  // namespace corvella::xdg
