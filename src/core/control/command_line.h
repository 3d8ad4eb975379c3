// The corvella command line: what the arguments ask for, and how the running
// Corvella's answer (or its absence) is shown and turned into an exit status.
//
//   corvella [--settings | --headless]   the daemon (no --headless on macOS)
//   corvella run ACTION            corvella grid COLUMNSxROWS | ID
//   corvella list [--json]         corvella status [--json]
//   corvella --help                corvella --version
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/control/control_answer.h"
#include "core/control/control_request.h"

namespace corvella {

// The program that reads the arguments: the X11 shell's corvella, or the
// executable inside Corvella.app (which the system may start with arguments
// of its own, and which has no headless mode: its menu-bar item is always there).
enum class CommandLineShell { x11, mac };

struct CommandLine {
  enum class Kind { daemon, help, version, request, usage };

  Kind kind = Kind::daemon;
  std::optional<ControlRequest> request;  // request
  bool json = false;                      // request: print the answer's data
  std::string error;                      // usage: one line
  bool settings = false;                  // daemon: show the settings window at once
  bool headless = false;                  // daemon: no tray icon, no settings window
  CommandLineShell shell = CommandLineShell::x11;
};

// The arguments after the program's name.
CommandLine parseCommandLine(const std::vector<std::string_view>& arguments,
                             CommandLineShell shell = CommandLineShell::x11);

// What macOS and its developer tools may add when they start an application:
// a process serial number ("-psn_0_12345") and settings for this run in the
// form "-Name value" ("-AppleLanguages (ko)", "-NSShowAllViews YES"), a name
// starting with a capital letter. The arguments without them.
std::vector<std::string_view> withoutSystemArguments(
    const std::vector<std::string_view>& arguments);

std::string helpText(CommandLineShell shell = CommandLineShell::x11);
std::string versionText(std::string_view version);

// What the client prints and its exit status.
struct ClientReport {
  std::string output;  // for standard output
  std::string error;   // for standard error, line feed included; empty when none
  ExitStatus exit = ExitStatus::done;
};

// A usage error, named in one line.
ClientReport usageReport(const std::string& error);
// No Corvella answers; detail says where it was looked for ("nothing
// answers at /run/user/1000/corvella/control"). status says so on standard
// output, the other commands on standard error.
ClientReport noInstanceReport(const CommandLine& command, std::string_view detail);
// The exchange failed after connecting (no answer in time, a broken
// connection, an answer that is not one).
ClientReport failedExchangeReport(std::string_view why);
// The answer shown as the command asked: its output, or its data as JSON.
ClientReport answerReport(const CommandLine& command, const ControlAnswer& answer);

// The text with the characters a terminal would act on (escape sequences,
// carriage returns, ...) shown as '?'; line feeds and tabs stay. For text
// that reaches a terminal: a window title can hold anything.
std::string terminalSafe(std::string_view text);

}  // namespace corvella
