// Launch at login as an XDG autostart entry.
#include "platform/xdg/xdg_autostart_entry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/support/temporary_folder.h"

namespace corvella::xdg {
namespace {

namespace fs = std::filesystem;

class AutostartEntryTest : public ::testing::Test {
 protected:
  std::string content() const { return folder.read("autostart/corvella.desktop"); }

  testing_support::TemporaryFolder folder;
  const fs::path entry = folder.path() / "autostart" / "corvella.desktop";
};

TEST_F(AutostartEntryTest, RegisteringWritesTheEntryAndUnregisteringRemovesIt) {
  XdgAutostartEntry item(entry, "/opt/corvella/bin/corvella");
  EXPECT_EQ(item.status(), LoginItemStatus::notRegistered);
  EXPECT_EQ(item.registerApp(), std::nullopt);
  EXPECT_EQ(item.status(), LoginItemStatus::enabled);
  EXPECT_NE(content().find("\nExec=\"/opt/corvella/bin/corvella\"\n"), std::string::npos)
      << content();
  EXPECT_EQ(content().rfind("[Desktop Entry]\nType=Application\n", 0), 0u);
  EXPECT_EQ(item.unregisterApp(), std::nullopt);
  EXPECT_EQ(item.status(), LoginItemStatus::notRegistered);
  // Removing what is not there is no failure.
  EXPECT_EQ(item.unregisterApp(), std::nullopt);
}

TEST_F(AutostartEntryTest, AProgramPathWithSpecialCharactersIsQuotedForTheDesktopFormat) {
  // Inside the quotes ", `, $ and \ take a backslash; the file format then
  // doubles every backslash.
  EXPECT_NE(XdgAutostartEntry::entryText("/home/a b/$x/c\"d/e\\f")
                .find("Exec=\"/home/a b/\\\\$x/c\\\\\"d/e\\\\\\\\f\"\n"),
            std::string::npos)
      << XdgAutostartEntry::entryText("/home/a b/$x/c\"d/e\\f");
}

TEST_F(AutostartEntryTest, AHiddenEntryCountsAsSwitchedOff) {
  fs::create_directories(entry.parent_path());
  std::ofstream(entry) << "[Desktop Entry]\nType=Application\nExec=corvella\nHidden=true\n";
  EXPECT_EQ(XdgAutostartEntry(entry, "/x").status(), LoginItemStatus::notRegistered);
}

TEST_F(AutostartEntryTest, FailuresComeBackAsDescriptions) {
  XdgAutostartEntry nowhere(std::nullopt, "/x");
  EXPECT_EQ(nowhere.status(), LoginItemStatus::notFound);
  EXPECT_EQ(nowhere.registerApp(), "no configuration folder (XDG_CONFIG_HOME, HOME)");
  EXPECT_EQ(nowhere.unregisterApp(), "no configuration folder (XDG_CONFIG_HOME, HOME)");
  // A plain file where the autostart folder should be.
  std::ofstream(folder.path() / "autostart") << "in the way";
  auto failure = XdgAutostartEntry(entry, "/x").registerApp();
  ASSERT_TRUE(failure.has_value());
  EXPECT_NE(failure->find("autostart"), std::string::npos) << *failure;
}

}  // namespace
}  // namespace corvella::xdg
