// Starting corvella over a settings file a careless user or a hostile
// environment left behind: it starts every time, says once what it found,
// runs on the built-in layouts, and never loses or overwrites the file.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "e2e_fixture.h"
#include "tests/support/private_mounts.h"

namespace corvella::e2e {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

class StoredSettingsTest : public DesktopTest {
 protected:
  fs::path file() const { return session->folder() / "config/corvella/defaults.json"; }
  std::string aside(const std::string& suffix) const { return file().string() + suffix; }
  static std::string read(const fs::path& path) {
    std::ifstream stream(path, std::ios::binary);
    std::ostringstream text;
    text << stream.rdbuf();
    return text.str();
  }
  // Starts corvella, stops it again cleanly and gives the entries it logged.
  Strings run() {
    const std::size_t earlier = session->logEntries().size();
    if (!session->startCorvella()) {
      ADD_FAILURE() << "corvella did not start:\n" << session->corvellaOutput();
      return {};
    }
    const auto status = session->stopCorvella();
    EXPECT_TRUE(status && WIFEXITED(*status) && WEXITSTATUS(*status) == 0)
        << session->corvellaOutput();
    const Strings entries = session->logEntries();
    return Strings(entries.begin() + static_cast<std::ptrdiff_t>(earlier), entries.end());
  }
  static Strings launched(const std::string& first) {
    return {first, "시작 — 권한=true 단축키 실패=0", "자동 업데이트 — 꺼짐(피드 주소 없음)"};
  }
};

TEST_F(StoredSettingsTest, AFolderOrAFifoInPlaceOfTheFileIsKeptAsideAndCorvellaStarts) {
  fs::create_directory(file());
  EXPECT_EQ(run(), launched("설정 파일 손상: " + file().string() + " (a folder) — " +
                            aside(".bad") + "에 보관"));
  EXPECT_TRUE(fs::is_directory(aside(".bad")));

  // A FIFO would hold the start up for good if it were opened for reading.
  ASSERT_EQ(::mkfifo(file().c_str(), 0600), 0);
  EXPECT_EQ(run(), launched("설정 파일 손상: " + file().string() + " (a FIFO) — " +
                            aside(".bad.2") + "에 보관"));
  EXPECT_TRUE(fs::is_fifo(aside(".bad.2")));
}

TEST_F(StoredSettingsTest, TwoDamagedFilesInARowAreBothKept) {
  session->writeDefaults("{\"gridLayouts\": ");
  EXPECT_EQ(run(), launched("설정 파일 손상: " + file().string() +
                            " (unexpected end of the file) — " + aside(".bad") + "에 보관"));
  session->writeDefaults("[1, 2]");
  EXPECT_EQ(run(), launched("설정 파일 손상: " + file().string() + " (not a JSON object) — " +
                            aside(".bad.2") + "에 보관"));
  EXPECT_EQ(read(aside(".bad")), "{\"gridLayouts\": ");
  EXPECT_EQ(read(aside(".bad.2")), "[1, 2]");
}

TEST_F(StoredSettingsTest, AFileThatCannotBeReadIsLeftAsItIs) {
  // Root reads a file of mode 0000; reading a process's memory at address 0
  // fails for everyone.
  const bool root = ::geteuid() == 0;
  if (root) {
    fs::create_symlink("/proc/self/mem", file());
  } else {
    session->writeDefaults("{}");
    fs::permissions(file(), fs::perms::none);
  }
  EXPECT_EQ(run(), launched("설정 파일 읽기 실패: " + file().string() + " (" +
                            (root ? "Input/output error" : "Permission denied") +
                            ") — 기본값으로 실행, 이번 실행 동안 저장하지 않음"));
  EXPECT_TRUE(root ? fs::is_symlink(file()) : fs::exists(file()));
  EXPECT_FALSE(fs::exists(aside(".bad")));
}

TEST_F(StoredSettingsTest, ADamagedFileInAReadOnlyFolderIsSaidToStayWhereItIs) {
  session->writeDefaults("damaged");
  testing_support::ReadOnlyFolder readOnly(file().parent_path());
  if (readOnly.problem()) GTEST_SKIP() << "no read-only folder: " << *readOnly.problem();
  EXPECT_EQ(run(), launched("설정 파일 손상: " + file().string() +
                            " (syntax error at line 1, column 1) — 보관 실패(" +
                            (::geteuid() == 0 ? "Read-only file system" : "Permission denied") +
                            "), 기본값으로 실행, 이번 실행 동안 저장하지 않음"));
  EXPECT_EQ(read(file()), "damaged");
}

}  // namespace
}  // namespace corvella::e2e
