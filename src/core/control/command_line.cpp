#include "core/control/command_line.h"

#include <algorithm>

namespace corvella {
namespace {

CommandLine usage(std::string error) {
  CommandLine command;
  command.kind = CommandLine::Kind::usage;
  command.error = std::move(error);
  return command;
}

CommandLine requestOf(ControlRequest request, bool json = false) {
  CommandLine command;
  command.kind = CommandLine::Kind::request;
  command.request = std::move(request);
  command.json = json;
  return command;
}

std::string quoted(std::string_view text) {
  return "\"" + quotedForAnswer(text) + "\"";
}

CommandLine parseRun(const std::vector<std::string_view>& arguments) {
  if (arguments.size() < 2) return usage("run needs an action name, e.g. corvella run leftHalf");
  if (arguments.size() > 2) return usage("run takes one action name, not " + quoted(arguments[2]));
  if (auto action = windowActionFromRawValue(arguments[1])) return requestOf(RunRequest{*action});
  return usage("unknown action " + quoted(arguments[1]) + " (corvella --help lists them)");
}

CommandLine parseGrid(const std::vector<std::string_view>& arguments) {
  if (arguments.size() < 2) return usage("grid needs COLUMNSxROWS or a grid layout identifier");
  if (arguments.size() > 2)
    return usage("grid takes one size or identifier, not " + quoted(arguments[2]));
  const std::string_view argument = arguments[1];
  if (looksLikeGridSize(argument)) {
    ParsedRequest size = gridSizeRequestFor(argument);
    if (size.request) return requestOf(std::move(*size.request));
    return usage(size.error);
  }
  if (auto id = UUID::parse(argument)) return requestOf(GridLayoutRequest{*id});
  return usage("grid needs COLUMNSxROWS or a grid layout identifier, not " + quoted(argument));
}

// list and status take --json and nothing else.
CommandLine parseQuery(const std::vector<std::string_view>& arguments, ControlRequest request) {
  bool json = false;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    if (arguments[i] != "--json") {
      return usage(std::string(arguments[0]) + " takes only --json, not " + quoted(arguments[i]));
    }
    json = true;
  }
  return requestOf(std::move(request), json);
}

std::string actionNames() {
  std::string text;
  std::string line = " ";
  for (WindowAction action : allWindowActions()) {
    const std::string_view name = rawValue(action);
    if (line.size() + 1 + name.size() > 78) {
      text += line + "\n";
      line = " ";
    }
    line += " ";
    line += name;
  }
  return text + line + "\n";
}

CommandLine parseArguments(const std::vector<std::string_view>& arguments, CommandLineShell shell) {
  auto has = [&](std::string_view option) {
    return std::find(arguments.begin(), arguments.end(), option) != arguments.end();
  };
  if (arguments.empty()) return CommandLine{};
  if (has("--help") || has("-h") || arguments[0] == "help") {
    CommandLine command;
    command.kind = CommandLine::Kind::help;
    return command;
  }
  if (arguments[0] == "--version") {
    if (arguments.size() > 1) return usage("--version takes no arguments");
    CommandLine command;
    command.kind = CommandLine::Kind::version;
    return command;
  }
  // Only the daemon's own options: they start the daemon.
  CommandLine daemon;
  const bool onlyDaemonOptions =
      std::all_of(arguments.begin(), arguments.end(), [&daemon, shell](std::string_view argument) {
        if (argument == "--settings") return daemon.settings = true;
        if (argument == "--headless" && shell == CommandLineShell::x11) {
          return daemon.headless = true;
        }
        return false;
      });
  if (onlyDaemonOptions) {
    if (daemon.settings && daemon.headless) {
      return usage("--settings and --headless exclude each other");
    }
    return daemon;
  }
  const std::string_view name = arguments[0];
  if (name == "run") return parseRun(arguments);
  if (name == "grid") return parseGrid(arguments);
  if (name == "list") return parseQuery(arguments, ListRequest{});
  if (name == "status") return parseQuery(arguments, StatusRequest{});
  if (!name.empty() && name[0] == '-') {
    return usage("unknown option " + quoted(name) + " (corvella --help lists the commands)");
  }
  return usage("unknown command " + quoted(name) + " (corvella --help lists the commands)");
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string_view>& given, CommandLineShell shell) {
  CommandLine command =
      parseArguments(shell == CommandLineShell::mac ? withoutSystemArguments(given) : given, shell);
  command.shell = shell;
  return command;
}

std::vector<std::string_view> withoutSystemArguments(
    const std::vector<std::string_view>& arguments) {
  std::vector<std::string_view> kept;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    if (argument.starts_with("-psn_")) continue;
    if (argument.size() > 1 && argument[0] == '-' && argument[1] >= 'A' && argument[1] <= 'Z') {
      ++i;  // and its value
      continue;
    }
    kept.push_back(argument);
  }
  return kept;
}

std::string helpText(CommandLineShell shell) {
  const bool mac = shell == CommandLineShell::mac;
  return std::string("Usage:\n") +
         (mac ? "  corvella                    run Corvella (shortcuts, menu-bar item, commands)\n"
              : "  corvella                    run Corvella (shortcuts, tray icon, commands)\n") +
         "  corvella --settings         run it and show the settings window at once\n" +
         (mac ? ""
              : "  corvella --headless         run it without the tray icon and settings "
                "window\n") +
         "  corvella run ACTION         run a window action in the running Corvella\n"
         "  corvella grid COLUMNSxROWS  tile the front application's windows in a grid\n"
         "  corvella grid ID            tile them in a stored grid layout\n"
         "  corvella list [--json]      the actions and grid layouts with their shortcuts\n"
         "  corvella status [--json]    whether Corvella runs, its version and shortcuts\n"
         "  corvella --help             this text\n"
         "  corvella --version          the version\n"
         "\n"
         "Actions:\n" +
         actionNames() +
         "\n"
         "Grid sizes go from 1x1 to " +
         std::to_string(maxGridCells) + "x" + std::to_string(maxGridCells) +
         ". run and grid print the log entry\nthe action wrote.\n"
         "\n"
         "Exit status: 0 every window reached its target (or the query was answered);\n"
         "1 the action was refused or a window did not reach its target; 2 usage error;\n"
         "3 Corvella is not running. See corvella(1).\n" +
         (mac ? "\nLinks do the same: corvella://run?action=ACTION, corvella://grid?size=3x2,\n"
                "corvella://grid?id=ID and corvella://settings (open them with open(1)).\n"
              : "");
}

std::string versionText(std::string_view version) {
  return "corvella " + std::string(version) + "\n";
}

ClientReport usageReport(const std::string& error) {
  return ClientReport{{}, "corvella: " + error + "\n", ExitStatus::usage};
}

ClientReport noInstanceReport(const CommandLine& command, std::string_view detail) {
  const std::string text = "Corvella is not running (" + std::string(detail) + ")";
  if (command.request && std::holds_alternative<StatusRequest>(*command.request)) {
    return ClientReport{text + ".\n", {}, ExitStatus::noInstance};
  }
  return ClientReport{{}, "corvella: " + text + "\n", ExitStatus::noInstance};
}

ClientReport failedExchangeReport(std::string_view why) {
  return ClientReport{{}, "corvella: " + std::string(why) + "\n", ExitStatus::failed};
}

ClientReport answerReport(const CommandLine& command, const ControlAnswer& answer) {
  ClientReport report;
  report.exit = answer.exit;
  if (command.json && !answer.data.is_null()) {
    report.output =
        answer.data.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
  } else {
    report.output = answer.output;
  }
  if (!answer.error.empty()) report.error = "corvella: " + answer.error + "\n";
  return report;
}

std::string terminalSafe(std::string_view text) {
  std::string safe;
  safe.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    // C1 controls are U+0080 to U+009F: 0xC2 then 0x80 to 0x9F in UTF-8.
    const bool c1 = byte == 0xC2 && i + 1 < text.size() &&
                    static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                    static_cast<unsigned char>(text[i + 1]) <= 0x9F;
    if (c1) {
      safe += '?';
      ++i;
    } else if ((byte < 0x20 && byte != '\n' && byte != '\t') || byte == 0x7F) {
      safe += '?';
    } else {
      safe += text[i];
    }
  }
  return safe;
}

}  // namespace corvella
