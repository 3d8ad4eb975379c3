// A running corvella against what comes from outside: damaged settings files
// (it starts, says once what it found and keeps the file), a title that would
// forge a log entry, bad control clients and a file-size limit on the log
// (each kind of damage and request error has its table in its own tests);
// then a combination another client holds, a minimum size, a window gone
// during a tiling and a lost server.
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

using FailuresTest = DesktopTest;

TEST_F(FailuresTest, EachFailureIsLoggedAsItHappenedAndCorvellaRunsOnUntilTheServerGoes) {
  ChildProcess* const clients[] = {
      session->startTestClient({"title=Stubborn;size=950x750;at=100,50;min=900x700"}),
      session->startTestClient({"title=Stay1;size=300x200;at=10,10;class=V",
                                "title=Gone;size=300x200;at=400,10;vanish;class=V",
                                "title=Stay2;size=300x200;at=800,10;class=V"})};
  for (ChildProcess* client : clients) ASSERT_NE(client, nullptr) << session->why();
  // Super+Alt+F, the maximize shortcut, taken before corvella starts.
  ASSERT_TRUE(session->grabKey(f, XCB_MOD_MASK_4 | XCB_MOD_MASK_1));
  startCorvella();
  EXPECT_EQ(session->logEntries(),
            (Strings{"단축키 등록 실패 1개 — 다른 앱이 같은 조합을 쓰는 중",
                     "시작 — 권한=true 단축키 실패=1", "자동 업데이트 — 꺼짐(피드 주소 없음)"}));

  // The client may not be narrower than 900: the frame adds the decorations.
  const xcb_window_t stubborn = *session->windowTitled("Stubborn");
  ASSERT_TRUE(session->activate(stubborn));
  const FrameExtents extents = session->frameExtents(stubborn);
  const Frame kept{0, 0, 900 + extents.left + extents.right, 900};
  EXPECT_EQ(session->pressForEntry({super, alt, left}),
            "leftHalf\n" + moveLine(false, {0, 0, 720, 900}, logText(kept), "Stubborn"));
  EXPECT_EQ(session->outerFrame(stubborn), kept);
  // Its previous frame is still on the undo stack.
  EXPECT_EQ(session->pressForEntry({super, alt, z}), "undo: 창 1개 복원");

  // The window goes away as the window manager resizes it: the read-back
  // finds it either already gone or just moved, depending on who is first.
  ASSERT_TRUE(session->activate(*session->windowTitled("Stay1")));
  const std::string entry = session->pressForEntry({super, alt, a});
  const Frame gone{480, 0, 480, 900};
  const std::string head = "tileAppColumns V ×3\n" + okLine({0, 0, 480, 900}, "Stay1") + "\n";
  const std::string tail = "\n" + okLine({960, 0, 480, 900}, "Stay2");
  EXPECT_TRUE(entry == head + moveLine(false, gone, "nil", "") + tail ||
              entry == head + okLine(gone, "Gone") + tail)
      << entry;
  EXPECT_FALSE(session->windowTitled("Gone").has_value());
  // Its undo counts it and moves nothing.
  EXPECT_EQ(session->pressForEntry({super, alt, z}), "undo: 창 3개 복원");

  session->stopServer();
  // The test's own connection is gone too; the process's end is what is waited for.
  const auto status = session->waitForCorvella();
  EXPECT_EQ(session->logEntries().back(), "X 서버 연결 끊김 — 종료");
  ASSERT_TRUE(status.has_value());
  EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 1) << session->corvellaOutput();
}

}  // namespace
}  // namespace corvella::e2e
