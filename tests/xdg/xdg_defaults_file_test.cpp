// The defaults file: values of both kinds survive a reload, the file stays
// readable by hand and is replaced whole, and a damaged or unwritable file
// never loses data silently.
#include "platform/xdg/xdg_defaults_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/temporary_folder.h"

namespace corvella::xdg {
namespace {

namespace fs = std::filesystem;

class DefaultsFileTest : public ::testing::Test {
 protected:
  XdgDefaultsFile open() {
    return XdgDefaultsFile(file, [this](const std::string& line) { reports.push_back(line); });
  }
  void write(const std::string& content) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << content;
  }

  testing_support::TemporaryFolder folder;
  const fs::path file = folder.path() / "corvella" / "defaults.json";
  std::vector<std::string> reports;
};

Bytes bytes(const std::string& text) {
  return Bytes(text.begin(), text.end());
}

TEST_F(DefaultsFileTest, ValuesOfBothKindsSurviveAReloadAndStayReadable) {
  const std::string layouts = R"([{"id":"A","columns":3,"rows":2}])";
  const Bytes binary{0xff, 0x00, 0x80, 'a', 0xc3};
  {
    auto defaults = open();
    EXPECT_FALSE(defaults.data("gridLayouts").has_value());
    EXPECT_FALSE(fs::exists(file)) << "reading writes nothing";
    defaults.setData("gridLayouts", bytes(layouts));
    defaults.setString("settingsTab", "grids");
    defaults.setData("blob", binary);
  }
  // The layouts are kept as text, so the file can be read and edited by hand.
  const std::string stored = folder.read("corvella/defaults.json");
  EXPECT_NE(stored.find(R"("data": "[{\"id\":\"A\",\"columns\":3,\"rows\":2}]")"),
            std::string::npos)
      << stored;
  auto reloaded = open();
  EXPECT_EQ(reloaded.data("gridLayouts"), bytes(layouts));
  EXPECT_EQ(reloaded.string("settingsTab"), "grids");
  EXPECT_EQ(reloaded.data("blob"), binary);
  // Each kind is only what it was stored as.
  EXPECT_FALSE(reloaded.string("gridLayouts").has_value());
  EXPECT_FALSE(reloaded.data("settingsTab").has_value());
  EXPECT_TRUE(reports.empty());
}

TEST_F(DefaultsFileTest, TheFileIsReplacedWholePrivateAndWithoutLeftovers) {
  write(R"({"gridLayouts": {"data": "[]"}})");
  fs::create_hard_link(file, folder.path() / "before.json");
  open().setString("settingsTab", "grids");
  // A new file is renamed over the old one: the old one is never written into.
  EXPECT_EQ(folder.read("before.json"), R"({"gridLayouts": {"data": "[]"}})");
  EXPECT_EQ(open().data("gridLayouts"), bytes("[]"));
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::mask,
            fs::perms::owner_read | fs::perms::owner_write);
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(file.parent_path())) {
    names.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(names, std::vector<std::string>{"defaults.json"});
}

TEST_F(DefaultsFileTest, AnUnreadableFileIsReportedKeptAsideAndReadAsEmpty) {
  write("{\"gridLayouts\": {\"data\": ");
  auto defaults = open();
  EXPECT_FALSE(defaults.data("gridLayouts").has_value());
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].rfind("설정 파일 손상: " + file.string() + " (", 0), 0u) << reports[0];
  EXPECT_NE(reports[0].find("— " + file.string() + ".bad에 보관"), std::string::npos);
  // The next save starts a fresh file; the damaged one stays where it was put.
  defaults.setString("settingsTab", "grids");
  EXPECT_EQ(open().string("settingsTab"), "grids");
  EXPECT_EQ(folder.read("corvella/defaults.json.bad"), "{\"gridLayouts\": {\"data\": ");
}

TEST_F(DefaultsFileTest, HandEditedValuesOfTheWrongShapeReadAsAbsentAndOthersSurvive) {
  write(R"({"gridLayouts": {"data": 5}, "settingsTab": "grids", "blob": {"bytes": [1, 256]},
           "other": [1, 2]})");
  auto defaults = open();
  EXPECT_FALSE(defaults.data("gridLayouts").has_value());
  EXPECT_FALSE(defaults.string("settingsTab").has_value());
  EXPECT_FALSE(defaults.data("blob").has_value());
  defaults.setString("settingsTab", "grids");
  EXPECT_NE(folder.read("corvella/defaults.json").find("\"other\""), std::string::npos);
  EXPECT_TRUE(reports.empty());
}

TEST_F(DefaultsFileTest, AFailedSaveIsReportedAndKeepsTheValueForThisRun) {
  // A plain file where the folder should be makes the folder impossible.
  std::ofstream(folder.path() / "corvella") << "in the way";
  auto defaults = open();
  defaults.setString("settingsTab", "grids");
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].rfind("설정 저장 실패: ", 0), 0u) << reports[0];
  EXPECT_EQ(defaults.string("settingsTab"), "grids");

  XdgDefaultsFile nowhere(std::nullopt,
                          [this](const std::string& line) { reports.push_back(line); });
  nowhere.setString("settingsTab", "grids");
  EXPECT_EQ(reports.back(), "설정 저장 실패: 설정 폴더를 알 수 없음 (XDG_CONFIG_HOME, HOME)");
}

TEST(DefaultsFileLocation, ConfigHomeFirstThenHomeAndNeverARelativePath) {
  auto environment = [](std::optional<std::string> config, std::optional<std::string> home) {
    return [=](std::string_view name) -> std::optional<std::string> {
      return name == "XDG_CONFIG_HOME" ? config : name == "HOME" ? home : std::nullopt;
    };
  };
  EXPECT_EQ(XdgDefaultsFile::defaultFile(environment("/c", "/h")),
            fs::path("/c/corvella/defaults.json"));
  EXPECT_EQ(XdgDefaultsFile::defaultFile(environment("relative", "/h")),
            fs::path("/h/.config/corvella/defaults.json"));
  EXPECT_EQ(XdgDefaultsFile::defaultFile(environment(std::nullopt, "/h")),
            fs::path("/h/.config/corvella/defaults.json"));
  EXPECT_FALSE(XdgDefaultsFile::defaultFile(environment("", "h")).has_value());
}

}  // namespace
}  // namespace corvella::xdg
