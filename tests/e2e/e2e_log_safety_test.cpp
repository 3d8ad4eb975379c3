// The log against what comes from outside: a window title cannot forge an
// entry or reach the terminal that shows the log, and a file-size limit
// costs entries, never the program.
#include <signal.h>
#include <sys/resource.h>

#include <filesystem>
#include <string>
#include <vector>

#include "e2e_fixture.h"

namespace corvella::e2e {
namespace {

using namespace keys;

using LogSafetyTest = DesktopTest;

TEST_F(LogSafetyTest, ATitleWithLineBreaksAndEscapesStaysOnItsOwnLine) {
  const std::string title = "Evil\n2026-01-01T00:00:00Z 시작\x1b[2J\r";
  startFocused({"title=" + title + ";size=400x300;at=100,80"}, title);
  EXPECT_EQ(
      session->pressForEntry({super, alt, left}),
      okEntry("leftHalf", {{{0, 0, 720, 900}, "Evil\\n2026-01-01T00:00:00Z 시작\\x1B[2J\\r"}}));
  // Three entries in all, each its own stamp: nothing was forged.
  EXPECT_EQ(session->logEntries().size(), 3u);
}

TEST_F(LogSafetyTest, AFileSizeLimitCostsEntriesNotTheProgram) {
  // Corvella inherits a limit that its two launch lines (137 bytes) fit
  // under and the next entry does not.
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  rlimit small{150, saved.rlim_max};
  ::setrlimit(RLIMIT_FSIZE, &small);
  const bool started = session->startCorvella();
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ASSERT_TRUE(started) << session->corvellaOutput();

  // Without a window each press logs and beeps; the log has no room left.
  EXPECT_TRUE(session->pressForBell({super, alt, c}));
  EXPECT_TRUE(session->pressForBell({super, alt, c}));
  EXPECT_TRUE(session->corvellaRunning());
  // The first press's entry was cut at the limit, inside its time stamp
  // (which the reader takes for a line of the entry before); the second
  // press's entry was dropped.
  const auto entries = session->logEntries();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0], "시작 — 권한=true 단축키 실패=0");
  EXPECT_EQ(entries[1].rfind("자동 업데이트 — 꺼짐(피드 주소 없음)\n20", 0), 0u) << entries[1];
  EXPECT_EQ(std::filesystem::file_size(session->folder() / "state/Corvella/Corvella.log"), 150u);
}

}  // namespace
}  // namespace corvella::e2e
