// One corvella per user, and the daemon's word about where it cannot work:
// a second daemon ends and leaves the first one's shortcuts alone, a Wayland
// session without X is refused, a display without a window manager is named,
// a headless daemon refuses to show settings, and a daemon started from a
// terminal lists the shortcuts another program holds.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "e2e_fixture.h"

namespace corvella::e2e {
namespace {

using ::testing::HasSubstr;
using namespace keys;

using ControlInstancesTest = DesktopTest;

TEST_F(ControlInstancesTest, ASecondDaemonEndsAndTheFirstKeepsAnsweringItsShortcuts) {
  startFocused({"title=Alpha;size=800x600;at=100,80"}, "Alpha");
  const std::string before = session->runCorvella({"status"}).output;

  const CommandResult second = session->runCorvella({});
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_EQ(second.error, "corvella: Corvella already runs (it answers at " +
                              session->controlSocket().string() + "); this one ends\n");
  EXPECT_EQ(second.output, "");

  // The first one's grabs are untouched: its shortcut still moves the window.
  EXPECT_EQ(session->pressForEntry({super, alt, left}),
            okEntry("leftHalf", {{{0, 0, 720, 900}, "Alpha"}}));
  EXPECT_EQ(session->runCorvella({"status"}).output, before) << "the same process answers";
  int starts = 0;
  for (const auto& entry : session->logEntries()) starts += entry.rfind("시작 — ", 0) == 0;
  EXPECT_EQ(starts, 1) << "the second daemon never launched";
}

TEST_F(ControlInstancesTest, AWaylandSessionWithoutXIsRefusedInOneLine) {
  const CommandResult result =
      session->runCorvella({}, {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", "wayland-0"}});
  EXPECT_EQ(result.exitCode(), 1);
  EXPECT_EQ(result.error,
            "corvella: this is a Wayland session without X (DISPLAY is not set); Corvella "
            "arranges the windows of an X11 session only\n");
  EXPECT_FALSE(std::filesystem::exists(session->controlSocket()));
}

TEST_F(ControlInstancesTest, WithoutAWindowManagerAHeadlessDaemonSaysSoAndStillAnswers) {
  session->stopWindowManager();
  ASSERT_TRUE(session->startCorvella({"--headless"}, {})) << session->corvellaOutput();
  EXPECT_THAT(session->corvellaOutput(),
              HasSubstr("corvella: no EWMH window manager runs on this display; windows cannot "
                        "be found or moved until one starts\n"));
  const CommandResult center = session->runCorvella({"run", "center"});
  EXPECT_EQ(center.exitCode(), 1);
  EXPECT_EQ(center.output, "center: 초점 창 없음\n");
  EXPECT_EQ(center.error, "corvella: center: no focused window\n");
  const CommandResult settings = session->runCorvella({"--settings"});
  EXPECT_EQ(settings.exitCode(), 1);
  EXPECT_EQ(settings.error,
            "corvella: the running Corvella has no settings window (started with --headless)\n");
  EXPECT_TRUE(session->corvellaRunning());
}

// A daemon on a pseudo-terminal, as when started by hand; its output is
// read until the text appears (bounded) or it ends.
class TerminalDaemon {
 public:
  explicit TerminalDaemon(const Environment& environment) {
    std::vector<std::string> variables = environmentWith(environment);
    pid_ = ::forkpty(&terminal_, nullptr, nullptr, nullptr);
    if (pid_ == 0) {
      std::vector<char*> envp;
      for (auto& variable : variables) envp.push_back(variable.data());
      envp.push_back(nullptr);
      std::string program = XSession::corvellaProgram();
      char* argv[] = {program.data(), nullptr};
      ::execve(argv[0], argv, envp.data());
      ::_exit(127);
    }
  }
  ~TerminalDaemon() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      ::waitpid(pid_, nullptr, 0);
    }
    if (terminal_ >= 0) ::close(terminal_);
  }
  bool readUntil(const std::string& text) {
    return readInto(terminal_, output_, [&] { return output_.find(text) != std::string::npos; }) &&
           output_.find(text) != std::string::npos;
  }
  const std::string& output() const { return output_; }

 private:
  pid_t pid_ = -1;
  int terminal_ = -1;
  std::string output_;
};

TEST_F(ControlInstancesTest, StartedFromATerminalTheDaemonListsTheShortcutsHeldElsewhere) {
  ASSERT_TRUE(session->grabKey(right, XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1));
  {
    TerminalDaemon daemon(session->corvellaEnvironment());
    // The terminal turns each line feed into a carriage return and a line feed.
    EXPECT_TRUE(daemon.readUntil("corvella run nextThird\r\n")) << daemon.output();
    EXPECT_EQ(daemon.output(),
              "corvella: 1 shortcut is held by another program; bind these commands to other "
              "keys:\r\n"
              "  Ctrl+Alt+Right  corvella run nextThird\r\n");
  }
  // Started without a terminal (as by an autostart entry), it says nothing.
  startCorvella();
  EXPECT_EQ(session->runCorvella({"status"}).exitCode(), 0);
  EXPECT_THAT(session->corvellaOutput(), ::testing::Not(HasSubstr("held by another program")));
}

}  // namespace
}  // namespace corvella::e2e
