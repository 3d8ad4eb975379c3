// The corvella commands and the daemon's word about where it cannot work, on
// one desktop whose window manager holds two of the shortcuts: without a
// daemon, from a terminal, against a running daemon (each command prints the
// entry its action wrote and ends with the status that says how it went), a
// second daemon, and a headless one without a window manager. Every text and
// exit status has its table in the command line's and the handler's own
// tests; here: one path through the real shell for each command and failure
// kind. Frames are worked out by hand for the 1440×900 screen.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

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

  // Without a daemon: help and usage need no display; a command ends with three.
  const CommandResult run = session->runCorvella({"run", "leftHalf"});
  EXPECT_EQ(run.exitCode(), 3);
  EXPECT_EQ(run.output, "");
  EXPECT_EQ(run.error, "corvella: Corvella is not running (nothing answers at " + socket + ")\n");
  const Environment noDisplay{{"DISPLAY", ""}};
  const CommandResult help = session->runCorvella({"--help"}, noDisplay);
  EXPECT_EQ(help.exitCode(), 0);
  EXPECT_THAT(help.output, HasSubstr("  corvella run ACTION "));
  const CommandResult typo = session->runCorvella({"rn", "leftHalf"}, noDisplay);
  EXPECT_EQ(typo.exitCode(), 2);
  EXPECT_EQ(typo.output, "");
  EXPECT_EQ(typo.error, "corvella: unknown command \"rn\" (corvella --help lists the commands)\n");
  // A Wayland session without X is refused in one line.
  const CommandResult wayland =
      session->runCorvella({}, {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", "wayland-0"}});
  EXPECT_EQ(wayland.exitCode(), 1);
  EXPECT_EQ(wayland.error,
            "corvella: this is a Wayland session without X (DISPLAY is not set); Corvella "
            "arranges the windows of an X11 session only\n");
  // Neither a typo nor the refusal started a daemon: nothing claimed the socket.
  EXPECT_FALSE(std::filesystem::exists(session->controlSocket()));

  {
    // Started from a terminal (as by hand), the daemon lists the shortcuts
    // held elsewhere; the terminal turns each line feed into a carriage
    // return and a line feed.
    const int terminal = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_TRUE(terminal >= 0 && ::grantpt(terminal) == 0 && ::unlockpt(terminal) == 0);
    ChildProcess daemon({XSession::corvellaProgram()}, session->corvellaEnvironment(),
                        ::ptsname(terminal));
    std::string output;
    EXPECT_TRUE(readInto(terminal, output, [&] { return output.ends_with("previousThird\r\n"); }))
        << output;
    EXPECT_EQ(output,
              "corvella: 2 shortcuts are held by another program; bind these commands to other "
              "keys:\r\n"
              "  Ctrl+Alt+Right  corvella run nextThird\r\n"
              "  Ctrl+Alt+Left   corvella run previousThird\r\n");
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
              HasSubstr("Accessibility: allowed\n"
                        "Shortcuts: 19 of 21 registered\n"
                        "Held by another program (bind these commands to other keys):\n"
                        "  Ctrl+Alt+Right  corvella run nextThird\n"
                        "  Ctrl+Alt+Left   corvella run previousThird\n"));
  const CommandResult list = session->runCorvella({"list"});
  EXPECT_EQ(list.exitCode(), 0);
  EXPECT_THAT(
      list.output,
      HasSubstr("\n  AAAAAAAA-0000-4000-8000-000000000001  Ctrl+Alt+1  2-way Split (2×1)\n"));

  // Nothing to undo: only a beep, named on standard error.
  const int bells = session->bells();
  const CommandResult empty = session->runCorvella({"run", "undo"});
  EXPECT_EQ(empty.exitCode(), 1);
  EXPECT_EQ(empty.output, "");
  EXPECT_EQ(empty.error, "corvella: undo: the history is empty\n");
  EXPECT_TRUE(session->waitUntil([&] { return session->bells() == bells + 1; }));
  const Frame half{0, 0, 720, 900};
  const CommandResult leftHalf = session->runCorvella({"run", "leftHalf"});
  EXPECT_EQ(leftHalf.exitCode(), 0) << leftHalf.error;
  EXPECT_EQ(leftHalf.output, okEntry("leftHalf", {{half, "L"}}) + "\n");
  EXPECT_EQ(leftHalf.output, session->logEntries().back() + "\n") << "the entry as the log has it";
  EXPECT_EQ(leftHalf.error, "");
  EXPECT_EQ(frameOf("L"), half);

  // A stored grid by its identifier (in any case).
  const CommandResult grid = session->runCorvella({"grid", "aaaaaaaa-0000-4000-8000-000000000001"});
  EXPECT_EQ(grid.exitCode(), 0) << grid.error;
  EXPECT_EQ(grid.output,
            okEntry("grid 2×1 TestClient ×2", {{half, "L"}, {{720, 0, 720, 900}, "R"}}) + "\n");
  const CommandResult unknown =
      session->runCorvella({"grid", "AAAAAAAA-0000-4000-8000-0000000000FF"});
  EXPECT_EQ(unknown.exitCode(), 2);
  EXPECT_EQ(unknown.error,
            "corvella: no grid layout has the identifier AAAAAAAA-0000-4000-8000-0000000000FF "
            "(corvella list shows them)\n");
  // What the window manager holds still runs through the command line.
  EXPECT_EQ(session->runCorvella({"run", "nextThird"}).exitCode(), 0);
  EXPECT_EQ(frameOf("L"), (Frame{0, 0, 480, 900}));

  // A second daemon ends and leaves the first one's shortcuts alone.
  const CommandResult second = session->runCorvella({});
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_EQ(second.error,
            "corvella: Corvella already runs (it answers at " + socket + "); this one ends\n");
  EXPECT_EQ(second.output, "");
  EXPECT_EQ(session->pressForEntry({super, alt, left}), okEntry("leftHalf", {{half, "L"}}));
  EXPECT_EQ(session->runCorvella({"status"}).output, status.output) << "the same process answers";
  int starts = 0;
  for (std::size_t i = launch; i < session->logEntries().size(); ++i) {
    starts += session->logEntries()[i].starts_with("시작 — ");
  }
  EXPECT_EQ(starts, 1) << "the second daemon never launched";

  // Without a window manager a headless daemon says so and still answers.
  expectCleanStop();
  session->stopWindowManager();
  ASSERT_TRUE(session->startCorvella({"--headless"}, {})) << session->corvellaOutput();
  EXPECT_THAT(session->corvellaOutput(),
              HasSubstr("corvella: no EWMH window manager runs on this display; windows cannot "
                        "be found or moved until one starts\n"));
  const CommandResult settings = session->runCorvella({"--settings"});
  EXPECT_EQ(settings.exitCode(), 1);
  EXPECT_EQ(settings.error,
            "corvella: the running Corvella has no settings window (started with --headless)\n");
  EXPECT_TRUE(session->corvellaRunning());
}

}  // namespace
}  // namespace corvella::e2e
