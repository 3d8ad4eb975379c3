#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <tuple>

#include "core/control/command_line.h"

namespace corvella {
namespace {

using ::testing::HasSubstr;
using Kind = CommandLine::Kind;

using Arguments = std::vector<std::string_view>;
const auto parse = [](Arguments arguments) { return parseCommandLine(arguments); };
const auto mac = [](Arguments a) { return parseCommandLine(a, CommandLineShell::mac); };
const auto fields = [](const ClientReport& r) { return std::tuple(r.output, r.error, r.exit); };

struct Asked {
  Arguments arguments;
  ControlRequest request;
  bool json = false;
};

TEST(CommandLineTest, EachCommandBecomesItsRequestAnythingElseIsAUsageErrorAndAnswersArePrinted) {
  const std::tuple<Arguments, bool, bool> daemons[] = {
      {{}, false, false}, {{"--settings"}, true, false}, {{"--headless"}, false, true}};
  for (const auto& [arguments, settings, headless] : daemons) {
    const CommandLine command = parse(arguments);
    EXPECT_EQ(command.kind, Kind::daemon) << command.error;
    EXPECT_TRUE(command.settings == settings && command.headless == headless);
  }
  const Asked rows[] = {
      {{"run", "leftHalf"}, RunRequest{WindowAction::leftHalf}},
      {{"grid", "3x2"}, GridSizeRequest{3, 2}},
      {{"grid", "e621e1f8-c36c-495a-93fc-0c247a3e6e5f"},
       GridLayoutRequest{*UUID::parse("E621E1F8-C36C-495A-93FC-0C247A3E6E5F")}},
      {{"list", "--json"}, ListRequest{}, true},
      {{"status", "--json"}, StatusRequest{}, true},
  };
  for (const Asked& row : rows) {
    const CommandLine command = parse(row.arguments);
    EXPECT_EQ(command.kind, Kind::request) << row.arguments[0] << " " << command.error;
    EXPECT_EQ(command.request, row.request) << row.arguments[0];
    EXPECT_EQ(command.json, row.json) << row.arguments[0];
  }
  EXPECT_TRUE(parse({"--help"}).kind == Kind::help && parse({"help"}).kind == Kind::help);
  EXPECT_EQ(parse({"run", "--help"}).kind, Kind::help);
  EXPECT_EQ(parse({"--version"}).kind, Kind::version);
  const std::string help = helpText();
  // Every action is named, the list wrapped within the width.
  EXPECT_THAT(help, HasSubstr(" leftHalf rightHalf topHalf "));
  EXPECT_THAT(help, HasSubstr(" tileAppColumns tileAppRows\n"));
  for (const std::string& text : {help, helpText(CommandLineShell::mac)}) {
    for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
         start = end + 1) {
      EXPECT_LE(end - start, 80u) << text.substr(start, end - start);
    }
  }
  const std::pair<Arguments, std::string> misused[] = {
      {{"fly"}, "unknown command \"fly\" (corvella --help lists the commands)"},
      {{"--daemon"}, "unknown option \"--daemon\" (corvella --help lists the commands)"},
      {{"--version", "now"}, "--version takes no arguments"},
      {{"--settings", "--headless"}, "--settings and --headless exclude each other"},
      {{"run"}, "run needs an action name, e.g. corvella run leftHalf"},
      {{"run", "LeftHalf"}, "unknown action \"LeftHalf\" (corvella --help lists them)"},
      {{"run", "leftHalf", "rightHalf"}, "run takes one action name, not \"rightHalf\""},
      {{"grid"}, "grid needs COLUMNSxROWS or a grid layout identifier"},
      {{"grid", "0x3"}, "grid size \"0x3\" out of range: columns and rows go from 1 to 12"},
      {{"grid", "three"}, "grid needs COLUMNSxROWS or a grid layout identifier, not \"three\""},
      {{"grid", "3x2", "4x4"}, "grid takes one size or identifier, not \"4x4\""},
      {{"list", "--all"}, "list takes only --json, not \"--all\""},
      {{"run", "\x1b[2J"}, "unknown action \"?[2J\" (corvella --help lists them)"},
  };
  for (const auto& [arguments, error] : misused) {
    const CommandLine command = parse(arguments);
    EXPECT_EQ(command.kind, Kind::usage) << error;
    EXPECT_EQ(command.error, error);
  }
  EXPECT_EQ(fields(usageReport("run takes one action name")),
            fields({"", "corvella: run takes one action name\n", ExitStatus::usage}));
  // No instance is status three; status says it on standard output.
  EXPECT_EQ(fields(noInstanceReport(parse({"status"}), "nothing answers at /run/x")),
            fields({"Corvella is not running (nothing answers at /run/x).\n", "",
                    ExitStatus::noInstance}));
  EXPECT_EQ(noInstanceReport(parse({"run", "undo"}), "nothing answers at /run/x").error,
            "corvella: Corvella is not running (nothing answers at /run/x)\n");
  EXPECT_EQ(fields(failedExchangeReport("no answer from Corvella within 10 s")),
            fields({"", "corvella: no answer from Corvella within 10 s\n", ExitStatus::failed}));
  ControlAnswer answer{ExitStatus::failed, "undo: 창 1개 복원\n", "grid 2×2: no front application",
                       nlohmann::json{{"b", 1}, {"a", "×"}}};
  EXPECT_EQ(fields(answerReport(parse({"run", "undo"}), answer)),
            fields({"undo: 창 1개 복원\n", "corvella: grid 2×2: no front application\n",
                    ExitStatus::failed}));

  const ClientReport json = answerReport(parse({"list", "--json"}), answer);
  EXPECT_EQ(json.output, "{\n  \"a\": \"×\",\n  \"b\": 1\n}\n");
  // Without data, --json still prints what there is.
  answer.data = nullptr;
  EXPECT_EQ(answerReport(parse({"status", "--json"}), answer).output, "undo: 창 1개 복원\n");
  answer.error.clear();
  EXPECT_EQ(answerReport(parse({"run", "undo"}), answer).error, "");
  // Started by the system, or by open(1) with settings for one run.
  EXPECT_EQ(mac({"-psn_0_1234567", "-AppleLocale"}).kind, Kind::daemon);
  EXPECT_TRUE(mac({"-AppleLanguages", "(ko)", "--settings"}).settings);
  EXPECT_EQ(mac({"-psn_0_1", "run", "undo"}).request,
            ControlRequest{RunRequest{WindowAction::undo}});
  // Lower-case single-dash options stay the command line's.
  EXPECT_EQ(mac({"-v"}).error, "unknown option \"-v\" (corvella --help lists the commands)");
  EXPECT_EQ(mac({"--headless"}).error,
            "unknown option \"--headless\" (corvella --help lists the commands)");
  // Linux keeps every argument as written.
  EXPECT_EQ(parse({"-psn_0_1"}).kind, Kind::usage);

  const std::string macHelp = helpText(CommandLineShell::mac);
  EXPECT_EQ(macHelp.find("--headless"), std::string::npos);
  EXPECT_THAT(macHelp, HasSubstr("corvella://run?action=ACTION"));
  EXPECT_EQ(helpText().find("corvella://"), std::string::npos);
  EXPECT_THAT(helpText(), HasSubstr("  corvella --headless "));
  EXPECT_EQ(terminalSafe("  OK 결과=(0,0 720×900) \x1b]0;pwned\x07 tab\tend\n"),
            "  OK 결과=(0,0 720×900) ?]0;pwned? tab\tend\n");
  // C1 controls too (even first), but not the no-break space just past them.
  EXPECT_EQ(terminalSafe("\u009B2J a\rb\u007Fc\u009B1m\u00A0d ends in \xc2"),
            "?2J a?b?c?1m\u00A0d ends in \xc2");
}

}  // namespace
}  // namespace corvella
