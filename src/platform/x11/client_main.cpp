// corvella: the program a user and a script run. With a command (run, grid,
// list, status, --help, --version) it asks the running Corvella through the
// control channel and prints the answer. Without one it becomes the daemon,
// in the same process:
//
//   corvella              corvella-desktop: shortcuts, the tray icon and the
//                         settings window (corvella-daemon in a build without
//                         the desktop interface)
//   corvella --settings   shows the running Corvella's settings window, or
//                         starts corvella-desktop showing it
//   corvella --headless   corvella-daemon: shortcuts only
//
// It loads neither X nor Qt, so a command costs little more than starting a
// process: the daemons live beside it in a build, and in libexec/corvella
// when installed.
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "core/control/command_line.h"
#include "platform/posix/control_client.h"
#include "platform/xdg/xdg_control_socket.h"

namespace {

std::filesystem::path thisProgram(const char* argument) {
  std::error_code error;
  auto path = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) return path;
  return std::filesystem::absolute(argument, error);
}

// Runs the first daemon program found, with this program's own path as its
// first argument (the autostart entry names corvella, not the daemon).
// Returns only when none can be run.
int becomeDaemon(const std::filesystem::path& program, char** argv, bool headless) {
  std::vector<std::filesystem::path> candidates;
  // Beside corvella in a build; installed, below the same prefix as corvella
  // wherever the tree was put, else where this build installs them.
  const std::filesystem::path folders[] = {
      program.parent_path(), program.parent_path().parent_path() / "libexec" / "corvella",
      CORVELLA_DAEMON_FOLDER};
  for (const auto& folder : folders) {
#ifdef CORVELLA_DESKTOP
    if (!headless) candidates.push_back(folder / "corvella-desktop");
#endif
    candidates.push_back(folder / "corvella-daemon");
  }
  std::string first = program.string();
  argv[0] = first.data();
  int error = 0;
  for (const auto& candidate : candidates) {
    ::execv(candidate.c_str(), argv);
    if (error == 0 || errno != ENOENT) error = errno;
  }
  std::fprintf(stderr, "corvella: cannot start the daemon (%s in %s): %s\n", "corvella-daemon",
               CORVELLA_DAEMON_FOLDER, std::strerror(error));
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string_view> arguments(argv + 1, argv + argc);
  const corvella::CommandLine command = corvella::parseCommandLine(arguments);
  const auto socketPath = corvella::xdg::controlSocketPath();
  // A command, or --settings shown by a running Corvella; else the daemon.
  if (auto exit = corvella::posix::actAsClient(command, socketPath, CORVELLA_VERSION)) return *exit;
  return becomeDaemon(thisProgram(argv[0]), argv, command.headless);
}
