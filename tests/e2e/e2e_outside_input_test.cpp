// A running corvella against what comes from outside. Every text and status has its table in its
// own tests; here: one path each.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <cstdlib>

#include "core/control/control_answer.h"
#include "e2e_fixture.h"
#include "platform/posix/control_client.h"
#include "platform/posix/unix_socket.h"

namespace corvella::e2e {
namespace {

namespace fs = std::filesystem;
using namespace keys;
using ::testing::HasSubstr;
using Strings = std::vector<std::string>;

class OutsideInputTest : public DesktopTest {
 protected:
  fs::path file() const { return session->folder() / "config/corvella/defaults.json"; }
  // Starts and stops corvella over a damaged file, which it keeps aside.
  void expectKeptAside(const std::string& problem, const std::string& suffix) {
    const std::size_t earlier = session->logEntries().size();
    ASSERT_TRUE(session->startCorvella()) << session->corvellaOutput();
    expectCleanStop();
    const Strings entries = session->logEntries();
    EXPECT_EQ(Strings(entries.begin() + static_cast<std::ptrdiff_t>(earlier), entries.end()),
              (Strings{"설정 파일 손상: " + file().string() + " (" + problem + ") — " +
                           file().string() + suffix + "에 보관",
                       "시작 — 권한=true 단축키 실패=0", "자동 업데이트 — 꺼짐(피드 주소 없음)"}));
  }
};

TEST_F(OutsideInputTest, DamagedSettingsHostileTitlesBadClientsAndAFullLogCostNothing) {
  // A FIFO would hold the start up for good if it were opened for reading.
  ASSERT_EQ(::mkfifo(file().c_str(), 0600), 0);
  expectKeptAside("a FIFO", ".bad");
  session->writeDefaults("{\"gridLayouts\": ");
  expectKeptAside("unexpected end of the file", ".bad.2");
  EXPECT_EQ(fileText(file().string() + ".bad.2"), "{\"gridLayouts\": ");

  // A title with line breaks and escapes stays in its one entry.
  const std::string title = "Evil\n2026-01-01T00:00:00Z 시작\x1b[2J\r";
  const std::string shown = "Evil\\n2026-01-01T00:00:00Z 시작\\x1B[2J\\r";
  startFocused({"title=" + title + ";size=400x300;at=100,80"}, title);
  EXPECT_EQ(session->pressForEntry({super, alt, left}),
            okEntry("leftHalf", {{{0, 0, 720, 900}, shown}}));

  // Each bad request gets one error answer; a silent client stalls nothing.
  const auto silent = posix::connectTo(session->controlSocket());
  ASSERT_TRUE(silent.has_value());
  const std::pair<std::string, std::string> requests[] = {
      {std::string("\x00\x01\x02\xff", 4),
       "malformed request: one JSON object on one line expected"},
      // A mebibyte is read away and answered once.
      {std::string(1 << 20, '!'), "request longer than 4096 bytes"},
  };
  for (const auto& [bytes, error] : requests) {
    const auto exchange = posix::exchangeRequest(session->controlSocket(), bytes);
    EXPECT_EQ(decodeControlAnswer(exchange.answerLine),
              (ControlAnswer{ExitStatus::usage, "", error, nullptr}))
        << exchange.why;
  }
  // Commands and shortcuts are served as ever.
  EXPECT_EQ(session->runCorvella({"run", "rightHalf"}),
            Outcome(0, okEntry("rightHalf", {{{720, 0, 720, 900}, shown}}) + "\n", ""));
  EXPECT_EQ(session->outerFrame(focusedWindow), (Frame{720, 0, 720, 900}));
  EXPECT_EQ(session->pressForEntry({super, alt, f}),
            okEntry("maximize", {{{0, 0, 1440, 900}, shown}}));
  // The silent client's time runs out and the daemon closes it without a word.
  std::string nothing;
  EXPECT_TRUE(readInto(silent->get(), nothing, [] { return false; }));
  EXPECT_EQ(nothing, "");

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

TEST_F(OutsideInputTest, EachFailureIsLoggedAsItHappenedAndCorvellaRunsOnUntilTheServerGoes) {
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
  EXPECT_EQ(session->pressForEntry({super, alt, z}), "undo: 창 1개 복원");

  // The window goes as the window manager resizes it: it is found placed, or gone.
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

TEST_F(OutsideInputTest, EachCommandWithoutFromATerminalAndAgainstARunningDaemon) {
  // As stock openbox binds Ctrl+Alt+Left and Right to switching desktops.
  ASSERT_TRUE(session->grabKey(left, XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1));
  ASSERT_TRUE(session->grabKey(right, XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1));
  const std::string socket = session->controlSocket().string();
  const std::string held =
      "  Ctrl+Alt+Right  corvella run nextThird\n  Ctrl+Alt+Left   corvella run previousThird\n";
  // A command's status, with nothing on standard output and one line on standard error.
  const auto onlyError = [](int status, const std::string& line) {
    return Outcome(status, "", "corvella: " + line + "\n");
  };

  // Without a daemon a command ends with three; usage needs no display.
  EXPECT_EQ(session->runCorvella({"run", "leftHalf"}),
            onlyError(3, "Corvella is not running (nothing answers at " + socket + ")"));
  EXPECT_EQ(session->runCorvella({"rn", "leftHalf"}, {{"DISPLAY", ""}}),
            onlyError(2, "unknown command \"rn\" (corvella --help lists the commands)"));
  EXPECT_EQ(session->runCorvella({}, {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", "wayland-0"}}),
            onlyError(1,
                      "this is a Wayland session without X (DISPLAY is not set); Corvella "
                      "arranges the windows of an X11 session only"));
  // Neither a typo nor the refusal started a daemon: nothing claimed the socket.
  EXPECT_FALSE(std::filesystem::exists(session->controlSocket()));

  {
    // Started from a terminal, the daemon lists the shortcuts held elsewhere.
    const int terminal = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_TRUE(terminal >= 0 && ::grantpt(terminal) == 0 && ::unlockpt(terminal) == 0);
    ChildProcess daemon({XSession::corvellaProgram()}, session->corvellaEnvironment(),
                        ::ptsname(terminal));
    std::string output;
    EXPECT_TRUE(readInto(terminal, output, [&] { return output.ends_with("previousThird\r\n"); }))
        << output;
    std::erase(output, '\r');  // the terminal writes each line feed as CR LF
    EXPECT_EQ(output,
              "corvella: 2 shortcuts are held by another program; bind these commands to "
              "other keys:\n" +
                  held);
    daemon.stop(SIGTERM);
    ::close(terminal);
  }

  // One stored grid, 2×1 on Ctrl+Alt+1 (key code 18, modifiers 0xC0000).
  session->writeDefaults(
      R"({"gridLayouts": {"data": "[{\"id\":\"AAAAAAAA-0000-4000-8000-000000000001\",)"
      R"(\"columns\":2,\"rows\":1,\"shortcut\":{\"keyCode\":18,\"modifiers\":786432}}]"}})");
  startFocused({"title=L;size=300x200;at=40,40", "title=R;size=300x200;at=600,40"}, "L");
  // Started without a terminal (as by an autostart entry), it says nothing.
  EXPECT_THAT(session->corvellaOutput(), ::testing::Not(HasSubstr("held by another program")));
  const auto [code, status, error] = session->runCorvella({"status"});
  EXPECT_EQ(code, 0) << error;
  EXPECT_THAT(status, HasSubstr("Accessibility: allowed\nShortcuts: 19 of 21 registered\n"
                                "Held by another program (bind these commands to other keys):\n" +
                                held));
  EXPECT_THAT(
      std::get<1>(session->runCorvella({"list"})),
      HasSubstr("\n  AAAAAAAA-0000-4000-8000-000000000001  Ctrl+Alt+1  2-way Split (2×1)\n"));

  // Nothing to undo: only a beep, named on standard error.
  const int bells = session->bells();
  EXPECT_EQ(session->runCorvella({"run", "undo"}), onlyError(1, "undo: the history is empty"));
  EXPECT_TRUE(session->waitUntil([&] { return session->bells() == bells + 1; }));
  const Frame half{0, 0, 720, 900};
  EXPECT_EQ(session->runCorvella({"run", "leftHalf"}),
            Outcome(0, okEntry("leftHalf", {{half, "L"}}) + "\n", ""));
  EXPECT_EQ(frameOf("L"), half);

  // A stored grid by its identifier (in any case).
  EXPECT_EQ(
      session->runCorvella({"grid", "aaaaaaaa-0000-4000-8000-000000000001"}),
      Outcome(0, okEntry("grid 2×1 TestClient ×2", {{half, "L"}, {{720, 0, 720, 900}, "R"}}) + "\n",
              ""));
  // What the window manager holds still runs through the command line.
  EXPECT_EQ(std::get<0>(session->runCorvella({"run", "nextThird"})), 0);
  EXPECT_EQ(frameOf("L"), (Frame{0, 0, 480, 900}));

  // A second daemon ends, logs nothing and leaves the first one's shortcuts alone.
  const std::size_t entries = session->logEntries().size();
  EXPECT_EQ(session->runCorvella({}),
            onlyError(0, "Corvella already runs (it answers at " + socket + "); this one ends"));
  EXPECT_EQ(session->pressForEntry({super, alt, left}), okEntry("leftHalf", {{half, "L"}}));
  EXPECT_EQ(session->logEntries().size(), entries + 1) << "the second daemon never launched";

  // Without a window manager a headless daemon says so and still answers.
  expectCleanStop();
  session->stopWindowManager();
  ASSERT_TRUE(session->startCorvella({"--headless"}, {})) << session->corvellaOutput();
  EXPECT_THAT(session->corvellaOutput(),
              HasSubstr("corvella: no EWMH window manager runs on this display; windows cannot "
                        "be found or moved until one starts\n"));
  EXPECT_EQ(session->runCorvella({"--settings"}),
            onlyError(1, "the running Corvella has no settings window (started with --headless)"));
  EXPECT_TRUE(session->corvellaRunning());
}

}  // namespace
}  // namespace corvella::e2e
