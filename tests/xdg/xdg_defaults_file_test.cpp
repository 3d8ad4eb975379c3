// The defaults file: values of both kinds survive a reload, the file stays
// readable by hand, and a damaged or unwritable file never loses data silently.
#include "platform/xdg/xdg_defaults_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

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
  void SetUp() override {
    ASSERT_FALSE(temporary.path().empty());
    folder = temporary.path();
    file = folder / "corvella" / "defaults.json";
  }

  XdgDefaultsFile open() {
    return XdgDefaultsFile(file, [this](const std::string& line) { reports.push_back(line); });
  }
  std::string read(const fs::path& path) const {
    return temporary.read(path.lexically_relative(folder));
  }
  void write(const std::string& content) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << content;
  }

  testing_support::TemporaryFolder temporary;
  fs::path folder, file;
  std::vector<std::string> reports;
};

Bytes bytes(const std::string& text) {
  return Bytes(text.begin(), text.end());
}

TEST_F(DefaultsFileTest, NothingStoredReadsAsAbsentAndWritesNothing) {
  auto defaults = open();
  EXPECT_FALSE(defaults.data("gridLayouts").has_value());
  EXPECT_FALSE(defaults.string("settingsTab").has_value());
  EXPECT_FALSE(fs::exists(file));
  EXPECT_TRUE(reports.empty());
}

TEST_F(DefaultsFileTest, ValuesOfBothKindsSurviveAReloadAndStayReadable) {
  const std::string layouts = R"([{"id":"A","columns":3,"rows":2}])";
  {
    auto defaults = open();
    defaults.setData("gridLayouts", bytes(layouts));
    defaults.setString("settingsTab", "grids");
  }
  // The layouts are kept as text, so the file can be read and edited by hand.
  const std::string stored = read(file);
  EXPECT_NE(stored.find(R"("data": "[{\"id\":\"A\",\"columns\":3,\"rows\":2}]")"),
            std::string::npos)
      << stored;
  auto reloaded = open();
  EXPECT_EQ(reloaded.data("gridLayouts"), bytes(layouts));
  EXPECT_EQ(reloaded.string("settingsTab"), "grids");
  // Each kind is only what it was stored as.
  EXPECT_FALSE(reloaded.string("gridLayouts").has_value());
  EXPECT_FALSE(reloaded.data("settingsTab").has_value());
  EXPECT_TRUE(reports.empty());
}

TEST_F(DefaultsFileTest, BytesThatAreNotUtf8RoundTripExactly) {
  const Bytes binary{0xff, 0x00, 0x80, 'a', 0xc3};
  open().setData("blob", binary);
  EXPECT_EQ(open().data("blob"), binary);
}

TEST_F(DefaultsFileTest, TheFileIsPrivateAndNoTemporaryFileIsLeftBehind) {
  open().setString("settingsTab", "grids");
  struct stat status {};
  ASSERT_EQ(::stat(file.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0600u);
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
  EXPECT_EQ(read(file.string() + ".bad"), "{\"gridLayouts\": {\"data\": ");
  // The next save starts a fresh file; the damaged one stays where it was put.
  defaults.setString("settingsTab", "grids");
  EXPECT_EQ(open().string("settingsTab"), "grids");
  EXPECT_EQ(read(file.string() + ".bad"), "{\"gridLayouts\": {\"data\": ");
}

TEST_F(DefaultsFileTest, HandEditedValuesOfTheWrongShapeReadAsAbsent) {
  write(R"({"gridLayouts": {"data": 5}, "settingsTab": "grids", "blob": {"bytes": [1, 256]},
           "other": [1, 2]})");
  auto defaults = open();
  EXPECT_FALSE(defaults.data("gridLayouts").has_value());
  EXPECT_FALSE(defaults.string("settingsTab").has_value());
  EXPECT_FALSE(defaults.data("blob").has_value());
  EXPECT_FALSE(defaults.data("other").has_value());
  EXPECT_TRUE(reports.empty());
  // Keys this program does not know survive its saves.
  defaults.setString("settingsTab", "grids");
  EXPECT_NE(read(file).find("\"other\""), std::string::npos);
}

TEST_F(DefaultsFileTest, AFailedSaveIsReportedAndKeepsTheValueForThisRun) {
  // A plain file where the folder should be makes the folder impossible.
  std::ofstream(folder / "corvella") << "in the way";
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
