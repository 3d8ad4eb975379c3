// The defaults file: readable by hand, replaced whole, and never losing data
// silently (a file cut short and numbered copies are end to end).
#include "platform/xdg/xdg_defaults_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/private_mounts.h"
#include "tests/support/temporary_folder.h"

namespace corvella::xdg {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

class DefaultsFileTest : public ::testing::Test {
 protected:
  XdgDefaultsFile open() {
    return XdgDefaultsFile(file, [this](const std::string& line) { reports.push_back(line); });
  }
  void write(const std::string& content) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << content;
  }
  // How many files the folder holds.
  long entries() const {
    return std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator());
  }

  testing_support::TemporaryFolder folder;
  const fs::path file = folder.path() / "corvella" / "defaults.json";
  Strings reports;
};

// Hand-edited values of the wrong shape read as absent; others survive.
TEST_F(DefaultsFileTest, ValuesOfBothKindsSurviveAReloadAndStayReadable) {
  const std::string handEdited = R"({"gridLayouts": {"data": 5}, "settingsTab": "grids",
      "blob": {"bytes": [1, 256]}, "other": [1, 2]})";
  write(handEdited);
  const std::string text = R"([{"id":"A","columns":3,"rows":2}])";
  const Bytes layouts(text.begin(), text.end());
  const Bytes binary{0xff, 0x00, 0x80, 'a', 0xc3};
  {
    auto defaults = open();
    EXPECT_FALSE(defaults.data("gridLayouts").has_value());
    EXPECT_FALSE(defaults.string("settingsTab").has_value());
    EXPECT_FALSE(defaults.data("blob").has_value());
    EXPECT_EQ(folder.read("corvella/defaults.json"), handEdited) << "reading writes nothing";
    defaults.setData("gridLayouts", layouts);
    defaults.setString("settingsTab", "grids");
    defaults.setData("blob", binary);
  }
  // The layouts are kept as text, so the file can be read and edited by hand.
  const std::string stored = folder.read("corvella/defaults.json");
  EXPECT_NE(stored.find(R"("data": "[{\"id\":\"A\",\"columns\":3,\"rows\":2}]")"),
            std::string::npos)
      << stored;
  EXPECT_NE(stored.find("\"other\": ["), std::string::npos);
  auto reloaded = open();
  EXPECT_EQ(reloaded.data("gridLayouts"), layouts);
  EXPECT_EQ(reloaded.string("settingsTab"), "grids");
  EXPECT_EQ(reloaded.data("blob"), binary);
  // Each kind is only what it was stored as.
  EXPECT_FALSE(reloaded.string("gridLayouts").has_value());
  EXPECT_TRUE(reports.empty());
}

TEST_F(DefaultsFileTest, TheFileIsReplacedWholePrivateAndWithoutLeftovers) {
  const std::string storedLayouts = R"({"gridLayouts": {"data": "[]"}})";
  write(storedLayouts);
  fs::create_hard_link(file, folder.path() / "before.json");
  open().setString("settingsTab", "grids");
  // A new file is renamed over the old one: the old one is never written into.
  EXPECT_EQ(folder.read("before.json"), storedLayouts);
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::mask,
            fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(entries(), 1);
}

// Whatever is damaged is kept aside as it was (a link stays a link) under a
// problem that quotes nothing of the file, and a small fresh file is saved (a
// FIFO, which must not block the reading, is end to end).
TEST_F(DefaultsFileTest, WhatIsDamagedOrNoRegularFileOfSensibleSizeIsKeptAside) {
  const auto text = [](const std::string& content) {
    return [content](const fs::path& at) { std::ofstream(at) << content; };
  };
  const std::string deep = std::string(200000, '[') + std::string(200000, ']');
  const std::pair<std::function<void(const fs::path&)>, std::string> rows[] = {
      {[](const fs::path& at) { fs::create_directory(at); }, "a folder"},
      {[](const fs::path& at) { fs::create_symlink("/dev/zero", at); }, "a device"},
      {text(std::string(5 << 20, ' ') + "{}"), "larger than 4 MiB"},
      {text(R"({"other": )" + deep + "}"), "nested deeper than 16 levels"},
      {text("{\n  \"a\": \"\xff\x1b[31m\"}"), "invalid UTF-8 at line 2, column 9"},
      {text("{\n  \"한국어\": tru\n}"), "syntax error at line 2, column 13"},
      {text("[\"an array\"]"), "not a JSON object"},
  };
  for (const auto& [make, problem] : rows) {
    SCOPED_TRACE(problem);
    fs::remove_all(file.parent_path());
    fs::create_directories(file.parent_path());
    reports.clear();
    make(file);
    open().setString("settingsTab", "grids");
    EXPECT_EQ(reports, Strings{"설정 파일 손상: " + file.string() + " (" + problem + ") — " +
                               file.string() + ".bad에 보관"});
    EXPECT_EQ(entries(), 2);
    EXPECT_EQ(open().string("settingsTab"), "grids");
    EXPECT_LT(fs::file_size(file), 100u);
  }
}

// Such a file is never overwritten: the run goes on in memory.
TEST_F(DefaultsFileTest, AFileThatCannotBeReadOrMovedAsideIsSaidSoAndLeftAlone) {
  const auto runInMemory = [this](const std::string& problem) {
    reports.clear();
    auto defaults = open();
    defaults.setString("settingsTab", "grids");
    EXPECT_EQ(defaults.string("settingsTab"), "grids");
    EXPECT_EQ(reports, (Strings{problem + "기본값으로 실행, 이번 실행 동안 저장하지 않음",
                                "설정 저장 안 함: " + file.string() +
                                    " — 읽거나 보관하지 못한 파일을 덮어쓰지 않음"}));
  };
  // Reading this process's own memory at address 0 fails (EIO), even for root.
  fs::create_directories(file.parent_path());
  fs::create_symlink("/proc/self/mem", file);
  runInMemory("설정 파일 읽기 실패: " + file.string() + " (Input/output error) — ");
  EXPECT_TRUE(fs::is_symlink(file));
  EXPECT_EQ(entries(), 1);

  fs::remove(file);
  write("damaged");
  testing_support::ReadOnlyFolder readOnly(file.parent_path());
  if (readOnly.problem()) GTEST_SKIP() << "no read-only folder: " << *readOnly.problem();
  runInMemory("설정 파일 손상: " + file.string() +
              " (syntax error at line 1, column 1) — 보관 실패(Read-only file system), ");
  EXPECT_EQ(folder.read("corvella/defaults.json"), "damaged");
}

TEST_F(DefaultsFileTest, AFailedSaveIsReportedAndKeepsTheValueForThisRun) {
  // A plain file where the folder should be: no file can be made in it.
  std::ofstream(folder.path() / "corvella") << "in the way";
  auto defaults = open();
  defaults.setString("settingsTab", "grids");
  EXPECT_EQ(defaults.string("settingsTab"), "grids");
  XdgDefaultsFile nowhere(std::nullopt,
                          [this](const std::string& line) { reports.push_back(line); });
  nowhere.setString("settingsTab", "grids");
  EXPECT_EQ(reports, (Strings{"설정 저장 실패: cannot create a temporary file next to " +
                                  file.string() + ": Not a directory",
                              "설정 저장 실패: 설정 폴더를 알 수 없음 (XDG_CONFIG_HOME, HOME)"}));
  EXPECT_EQ(folder.read("corvella"), "in the way");
}

}  // namespace
}  // namespace corvella::xdg
