// Starting corvella over a settings file a careless user or a hostile
// environment left behind: it starts every time, says once what it found,
// runs on the built-in layouts, and never loses or overwrites the file.
// (What the defaults file makes of each kind of damage, unreadable files and
// read-only folders included, is pinned by its own tests.)
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "e2e_fixture.h"

namespace corvella::e2e {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

class StoredSettingsTest : public DesktopTest {
 protected:
  fs::path file() const { return session->folder() / "config/corvella/defaults.json"; }
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
  // The launch of a run that found the file damaged and kept it aside.
  Strings keptAside(const std::string& problem, const std::string& suffix) const {
    return {"설정 파일 손상: " + file().string() + " (" + problem + ") — " + file().string() +
                suffix + "에 보관",
            "시작 — 권한=true 단축키 실패=0", "자동 업데이트 — 꺼짐(피드 주소 없음)"};
  }
};

TEST_F(StoredSettingsTest, EveryDamagedFileFolderOrFifoIsKeptAsideAndCorvellaStarts) {
  fs::create_directory(file());
  EXPECT_EQ(run(), keptAside("a folder", ".bad"));
  EXPECT_TRUE(fs::is_directory(file().string() + ".bad"));

  // A FIFO would hold the start up for good if it were opened for reading.
  ASSERT_EQ(::mkfifo(file().c_str(), 0600), 0);
  EXPECT_EQ(run(), keptAside("a FIFO", ".bad.2"));
  EXPECT_TRUE(fs::is_fifo(file().string() + ".bad.2"));

  session->writeDefaults("{\"gridLayouts\": ");
  EXPECT_EQ(run(), keptAside("unexpected end of the file", ".bad.3"));
  EXPECT_EQ(fileText(file().string() + ".bad.3"), "{\"gridLayouts\": ");
}

}  // namespace
}  // namespace corvella::e2e
