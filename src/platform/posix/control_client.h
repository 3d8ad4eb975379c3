// The client end of the control channel and the command line built on it:
// one request to the running Corvella, its answer printed, its exit status.
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/control/command_line.h"

namespace corvella::posix {

// Long enough for an action on a slow application, short enough that a
// script never hangs on a daemon that stopped answering.
inline constexpr std::chrono::milliseconds answerTimeLimit{10000};

struct Exchange {
  enum class Result { answered, noInstance, failed };
  Result result = Result::failed;
  std::string answerLine;  // answered: without its line feed
  std::string why;         // failed: one line
};

// Sends one request line and reads the answer line.
Exchange exchangeRequest(const std::filesystem::path& socket, const std::string& requestLine,
                         std::chrono::milliseconds timeLimit = answerTimeLimit);

// What the command line prints and exits with, for everything but the daemon.
// socket is absent when no folder for it can be named.
ClientReport commandLineReport(const CommandLine& command,
                               const std::optional<std::filesystem::path>& socket,
                               std::string_view version);

// corvella --settings: a running Corvella shows its own settings window, and
// this is what to print. Absent when none runs (or no socket can be named):
// this process is then to become Corvella and show it.
std::optional<ClientReport> settingsShownByRunningInstance(
    const std::optional<std::filesystem::path>& socket, std::string_view version);

// What the program does before it becomes Corvella: with a command it is the
// client and prints the report; with --settings a running Corvella shows its
// window. Gives the exit status when that was all; absent when this process
// is to become Corvella.
std::optional<int> actAsClient(const CommandLine& command,
                               const std::optional<std::filesystem::path>& socket,
                               std::string_view version);

// Prints the report (made terminal-safe where it goes to a terminal) and
// gives the exit status.
int printReport(const ClientReport& report);

}  // namespace corvella::posix
