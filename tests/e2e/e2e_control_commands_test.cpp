// The corvella commands, on one desktop where another program holds two
// shortcuts: without a daemon, from a terminal, against a running daemon, a
// second daemon, and a headless one without a window manager. Texts and exit
// statuses have their tables in the command line's and the handler's tests;
// here: one path through the real shell for each command and failure kind.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "e2e_fixture.h"

namespace corvella::e2e {
namespace {

using ::testing::HasSubstr;
using namespace keys;

using ControlCommandsTest = DesktopTest;

TEST_F(ControlCommandsTest, EachCommandWithoutFromATerminalAndAgainstARunningDaemon) {
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
  EXPECT_EQ(session->runCorvella({"run", "leftHalf"}).outcome(),
            onlyError(3, "Corvella is not running (nothing answers at " + socket + ")"));
  EXPECT_EQ(session->runCorvella({"rn", "leftHalf"}, {{"DISPLAY", ""}}).outcome(),
            onlyError(2, "unknown command \"rn\" (corvella --help lists the commands)"));
  // A Wayland session without X is refused in one line.
  EXPECT_EQ(session->runCorvella({}, {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", "wayland-0"}}).outcome(),
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

  // The stored 2×1 grid, and two windows of one application.
  session->writeDefaults(oneGridDefaults);
  const std::size_t launch = session->logEntries().size();
  startFocused({"title=L;size=300x200;at=40,40", "title=R;size=300x200;at=600,40"}, "L");
  // Started without a terminal (as by an autostart entry), it says nothing.
  EXPECT_THAT(session->corvellaOutput(), ::testing::Not(HasSubstr("held by another program")));
  const CommandResult status = session->runCorvella({"status"});
  EXPECT_EQ(status.exitCode(), 0) << status.error;
  EXPECT_THAT(status.output,
              HasSubstr("Accessibility: allowed\nShortcuts: 19 of 21 registered\n"
                        "Held by another program (bind these commands to other keys):\n" +
                        held));
  EXPECT_THAT(
      session->runCorvella({"list"}).output,
      HasSubstr("\n  AAAAAAAA-0000-4000-8000-000000000001  Ctrl+Alt+1  2-way Split (2×1)\n"));

  // Nothing to undo: only a beep, named on standard error.
  const int bells = session->bells();
  EXPECT_EQ(session->runCorvella({"run", "undo"}).outcome(),
            onlyError(1, "undo: the history is empty"));
  EXPECT_TRUE(session->waitUntil([&] { return session->bells() == bells + 1; }));
  const Frame half{0, 0, 720, 900};
  EXPECT_EQ(session->runCorvella({"run", "leftHalf"}).outcome(),
            Outcome(0, okEntry("leftHalf", {{half, "L"}}) + "\n", ""));
  EXPECT_EQ(frameOf("L"), half);

  // A stored grid by its identifier (in any case).
  EXPECT_EQ(
      session->runCorvella({"grid", "aaaaaaaa-0000-4000-8000-000000000001"}).outcome(),
      Outcome(0, okEntry("grid 2×1 TestClient ×2", {{half, "L"}, {{720, 0, 720, 900}, "R"}}) + "\n",
              ""));
  // What the window manager holds still runs through the command line.
  EXPECT_EQ(session->runCorvella({"run", "nextThird"}).exitCode(), 0);
  EXPECT_EQ(frameOf("L"), (Frame{0, 0, 480, 900}));

  // A second daemon ends and leaves the first one's shortcuts alone.
  EXPECT_EQ(session->runCorvella({}).outcome(),
            onlyError(0, "Corvella already runs (it answers at " + socket + "); this one ends"));
  EXPECT_EQ(session->pressForEntry({super, alt, left}), okEntry("leftHalf", {{half, "L"}}));
  EXPECT_EQ(session->runCorvella({"status"}).output, status.output) << "the same process answers";
  const auto entries = session->logEntries();
  EXPECT_EQ(std::count_if(entries.begin() + launch, entries.end(),
                          [](const std::string& e) { return e.starts_with("시작 — "); }),
            1)
      << "the second daemon never launched";

  // Without a window manager a headless daemon says so and still answers.
  expectCleanStop();
  session->stopWindowManager();
  ASSERT_TRUE(session->startCorvella({"--headless"}, {})) << session->corvellaOutput();
  EXPECT_THAT(session->corvellaOutput(),
              HasSubstr("corvella: no EWMH window manager runs on this display; windows cannot "
                        "be found or moved until one starts\n"));
  EXPECT_EQ(session->runCorvella({"--settings"}).outcome(),
            onlyError(1, "the running Corvella has no settings window (started with --headless)"));
  EXPECT_TRUE(session->corvellaRunning());
}

}  // namespace
}  // namespace corvella::e2e
