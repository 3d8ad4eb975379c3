// A running corvella against what comes from outside: damaged settings files
// (it starts, says once what it found and keeps the file), a title that would
// forge a log entry, bad control clients and a file-size limit on the log.
// Each kind of damage and request error has its table in its own tests.
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <nlohmann/json.hpp>

#include "e2e_fixture.h"

namespace corvella::e2e {
namespace {

namespace fs = std::filesystem;
using namespace keys;
using Strings = std::vector<std::string>;

// A raw control client, connected to the socket.
int connectTo(const fs::path& socket) {
  const int descriptor = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, socket.c_str(), sizeof address.sun_path - 1);
  EXPECT_EQ(::connect(descriptor, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  return descriptor;
}

// Reads to the end (bounded) and closes.
std::string readToEnd(int descriptor) {
  std::string received;
  EXPECT_TRUE(readInto(descriptor, received, [] { return false; })) << "no end: " << received;
  ::close(descriptor);
  return received;
}

// Writes everything (the daemon reads as it goes) and gives the answer.
std::string exchange(const fs::path& socket, const std::string& bytes) {
  const int descriptor = connectTo(socket);
  for (std::size_t sent = 0; sent < bytes.size();) {
    const ssize_t n = ::send(descriptor, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    EXPECT_GT(n, 0) << "the daemon broke off after " << sent << " bytes";
    if (n <= 0) break;
    sent += static_cast<std::size_t>(n);
  }
  ::shutdown(descriptor, SHUT_WR);
  return readToEnd(descriptor);
}

class OutsideInputTest : public DesktopTest {
 protected:
  fs::path file() const { return session->folder() / "config/corvella/defaults.json"; }
  // The entries logged since the given count.
  Strings entriesSince(std::size_t earlier) const {
    const Strings entries = session->logEntries();
    return Strings(entries.begin() + static_cast<std::ptrdiff_t>(earlier), entries.end());
  }
  // Starts and stops corvella over a damaged file, which it keeps aside.
  void expectKeptAside(const std::string& problem, const std::string& suffix) {
    const std::size_t earlier = session->logEntries().size();
    ASSERT_TRUE(session->startCorvella()) << session->corvellaOutput();
    expectCleanStop();
    EXPECT_EQ(entriesSince(earlier),
              (Strings{"설정 파일 손상: " + file().string() + " (" + problem + ") — " +
                           file().string() + suffix + "에 보관",
                       "시작 — 권한=true 단축키 실패=0", "자동 업데이트 — 꺼짐(피드 주소 없음)"}));
  }
};

TEST_F(OutsideInputTest, DamagedSettingsHostileTitlesBadClientsAndAFullLogCostNothing) {
  // A FIFO would hold the start up for good if it were opened for reading.
  ASSERT_EQ(::mkfifo(file().c_str(), 0600), 0);
  expectKeptAside("a FIFO", ".bad");
  EXPECT_TRUE(fs::is_fifo(file().string() + ".bad"));
  session->writeDefaults("{\"gridLayouts\": ");
  expectKeptAside("unexpected end of the file", ".bad.2");
  EXPECT_EQ(fileText(file().string() + ".bad.2"), "{\"gridLayouts\": ");

  // A title with line breaks and escapes stays in its one entry.
  const std::size_t earlier = session->logEntries().size();
  const std::string title = "Evil\n2026-01-01T00:00:00Z 시작\x1b[2J\r";
  const std::string shown = "Evil\\n2026-01-01T00:00:00Z 시작\\x1B[2J\\r";
  startFocused({"title=" + title + ";size=400x300;at=100,80"}, title);
  EXPECT_EQ(session->pressForEntry({super, alt, left}),
            okEntry("leftHalf", {{{0, 0, 720, 900}, shown}}));
  EXPECT_EQ(entriesSince(earlier).size(), 3u);

  // Each bad request gets one error answer; a silent client stalls nothing.
  const int silent = connectTo(session->controlSocket());
  const std::pair<std::string, std::string> requests[] = {
      {std::string("\x00\x01\x02\xff\n", 5),
       "malformed request: one JSON object on one line expected"},
      // A mebibyte without a line feed is read away and answered once.
      {std::string(1 << 20, '!'), "request longer than 4096 bytes"},
  };
  for (const auto& [bytes, error] : requests) {
    const std::string line = exchange(session->controlSocket(), bytes);
    const auto answer = nlohmann::json::parse(line.substr(0, line.find('\n')), nullptr, false);
    ASSERT_TRUE(answer.is_object()) << line;
    EXPECT_EQ(answer["exit"], 2);
    EXPECT_EQ(answer["error"], error);
  }
  // Commands and shortcuts are served as ever.
  const CommandResult run = session->runCorvella({"run", "rightHalf"});
  EXPECT_EQ(run.exitCode(), 0) << run.error;
  EXPECT_EQ(session->outerFrame(focusedWindow), (Frame{720, 0, 720, 900}));
  EXPECT_EQ(session->pressForEntry({super, alt, f}),
            okEntry("maximize", {{{0, 0, 1440, 900}, shown}}));
  // The silent client's time runs out and the daemon closes it without a word.
  EXPECT_EQ(readToEnd(silent), "");

  // A file-size limit costs entries, not the program: its two launch lines
  // (137 bytes) fit under it; without a window each press logs and beeps.
  expectCleanStop();
  const pid_t client = focusedClient->pid();
  focusedClient->stop(SIGKILL);
  ASSERT_TRUE(session->waitUntil([&] { return session->managedWindowsOf(client).empty(); }));
  const fs::path log = session->folder() / "state/Corvella/Corvella.log";
  fs::remove(log);
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  rlimit small{150, saved.rlim_max};
  ::setrlimit(RLIMIT_FSIZE, &small);
  const bool started = session->startCorvella();
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ASSERT_TRUE(started) << session->corvellaOutput();
  EXPECT_TRUE(session->pressForBell({super, alt, c}));
  EXPECT_TRUE(session->pressForBell({super, alt, c}));
  EXPECT_TRUE(session->corvellaRunning());
  // The first press's entry was cut inside its time stamp (read as a line
  // of the entry before); the second's was dropped.
  const auto entries = session->logEntries();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0], "시작 — 권한=true 단축키 실패=0");
  EXPECT_EQ(entries[1].rfind("자동 업데이트 — 꺼짐(피드 주소 없음)\n20", 0), 0u) << entries[1];
  EXPECT_EQ(fs::file_size(log), 150u);
}

}  // namespace
}  // namespace corvella::e2e
