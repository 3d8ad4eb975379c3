// The corvella commands against a running corvella on a real window
// manager: each prints the entry its action wrote (the log's own text) and
// ends with the status that says how it went. Frames are worked out by hand
// for the 1440×900 screen without docks.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "e2e_fixture.h"

namespace corvella::e2e {
namespace {

using ::testing::HasSubstr;

using ControlCommandsTest = DesktopTest;

TEST_F(ControlCommandsTest, RunPrintsTheEntryTheActionWroteAndUndoPutsTheWindowBack) {
  startFocused({"title=Alpha;size=800x600;at=100,80"}, "Alpha");
  const Frame before = frameOf("Alpha");

  const CommandResult left = session->runCorvella({"run", "leftHalf"});
  const Frame half{0, 0, 720, 900};
  EXPECT_EQ(left.exitCode(), 0) << left.error;
  EXPECT_EQ(left.output, okEntry("leftHalf", {{half, "Alpha"}}) + "\n");
  EXPECT_EQ(left.output, session->logEntries().back() + "\n") << "the entry as the log has it";
  EXPECT_EQ(left.error, "");
  EXPECT_EQ(frameOf("Alpha"), half);

  const CommandResult undo = session->runCorvella({"run", "undo"});
  EXPECT_EQ(undo.exitCode(), 0);
  EXPECT_EQ(undo.output, "undo: 창 1개 복원\n");
  EXPECT_EQ(frameOf("Alpha"), before);

  // Nothing left to undo: only a beep, named on standard error.
  const int bells = session->bells();
  const CommandResult empty = session->runCorvella({"run", "undo"});
  EXPECT_EQ(empty.exitCode(), 1);
  EXPECT_EQ(empty.output, "");
  EXPECT_EQ(empty.error, "corvella: undo: the history is empty\n");
  EXPECT_TRUE(session->waitUntil([&] { return session->bells() == bells + 1; }));
  EXPECT_EQ(frameOf("Alpha"), before);
}

TEST_F(ControlCommandsTest, GridBySizeTilesTheFrontApplication) {
  startFocused({"title=A;size=300x200;at=40,40", "title=B;size=300x200;at=400,40",
                "title=C;size=300x200;at=800,40", "title=D;size=300x200;at=40,500",
                "title=E;size=300x200;at=400,500", "title=F;size=300x200;at=800,500"},
               "A");
  const CommandResult result = session->runCorvella({"grid", "3x2"});
  EXPECT_EQ(result.exitCode(), 0) << result.error;
  // Columns of 480, rows of 450, filled in reading order.
  const std::vector<std::pair<Frame, std::string>> cells = {
      {{0, 0, 480, 450}, "A"},   {{480, 0, 480, 450}, "B"},   {{960, 0, 480, 450}, "C"},
      {{0, 450, 480, 450}, "D"}, {{480, 450, 480, 450}, "E"}, {{960, 450, 480, 450}, "F"}};
  for (const auto& [cell, title] : cells) EXPECT_EQ(frameOf(title), cell) << title;
  EXPECT_EQ(result.output, okEntry("grid 3×2 TestClient ×6", cells) + "\n");
  EXPECT_EQ(session->runCorvella({"run", "undo"}).output, "undo: 창 6개 복원\n");
}

TEST_F(ControlCommandsTest, ListShowsTheStoredGridsWhoseIdentifierRunsThem) {
  session->writeDefaults(
      R"({"gridLayouts": {"data": "[{\"id\":\"AAAAAAAA-0000-4000-8000-000000000001\",)"
      R"(\"columns\":2,\"rows\":1,\"shortcut\":{\"keyCode\":18,\"modifiers\":786432}}]"}})");
  startFocused({"title=L;size=300x200;at=40,40", "title=R;size=300x200;at=600,40"}, "L");

  const CommandResult list = session->runCorvella({"list"});
  EXPECT_EQ(list.exitCode(), 0);
  EXPECT_THAT(list.output, HasSubstr("\n  leftHalf         Alt+Super+Left          Left Half\n"));
  EXPECT_THAT(
      list.output,
      HasSubstr("\n  AAAAAAAA-0000-4000-8000-000000000001  Ctrl+Alt+1  2-way Split (2×1)\n"));

  const CommandResult json = session->runCorvella({"list", "--json"});
  const auto data = nlohmann::json::parse(json.output);
  EXPECT_EQ(data["actions"].size(), 20u);
  EXPECT_EQ(data["actions"][19]["action"], "tileAppRows");
  EXPECT_EQ(data["grids"][0]["shortcut"], "Ctrl+Alt+1");
  EXPECT_EQ(data["grids"][0]["registered"], true);

  const CommandResult grid = session->runCorvella({"grid", "aaaaaaaa-0000-4000-8000-000000000001"});
  EXPECT_EQ(grid.exitCode(), 0) << grid.error;
  EXPECT_EQ(grid.output, okEntry("grid 2×1 TestClient ×2",
                                 {{{0, 0, 720, 900}, "L"}, {{720, 0, 720, 900}, "R"}}) +
                             "\n");

  const CommandResult unknown =
      session->runCorvella({"grid", "AAAAAAAA-0000-4000-8000-0000000000FF"});
  EXPECT_EQ(unknown.exitCode(), 2);
  EXPECT_EQ(unknown.error,
            "corvella: no grid layout has the identifier AAAAAAAA-0000-4000-8000-0000000000FF "
            "(corvella list shows them)\n");
}

TEST_F(ControlCommandsTest, StatusNamesTheShortcutsTheWindowManagerHolds) {
  // As stock openbox binds Ctrl+Alt+Left and Right to switching desktops.
  ASSERT_TRUE(session->grabKey(keys::left, XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1));
  ASSERT_TRUE(session->grabKey(keys::right, XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1));
  startFocused({"title=Alpha;size=800x600;at=100,80"}, "Alpha");

  const CommandResult status = session->runCorvella({"status"});
  EXPECT_EQ(status.exitCode(), 0) << status.error;
  EXPECT_THAT(status.output, HasSubstr(" is running (process "));
  EXPECT_THAT(status.output,
              HasSubstr("Accessibility: allowed\n"
                        "Shortcuts: 18 of 20 registered\n"
                        "Held by another program (bind these commands to other keys):\n"
                        "  Ctrl+Alt+Right  corvella run nextThird\n"
                        "  Ctrl+Alt+Left   corvella run previousThird\n"));
  const auto data = nlohmann::json::parse(session->runCorvella({"status", "--json"}).output);
  EXPECT_EQ(data["registered"], 18);
  EXPECT_EQ(data["refused"][0]["action"], "nextThird");

  // What the window manager holds still runs through the command line.
  const CommandResult third = session->runCorvella({"run", "nextThird"});
  EXPECT_EQ(third.exitCode(), 0);
  EXPECT_EQ(frameOf("Alpha"), (Frame{0, 0, 480, 900}));
}

TEST_F(ControlCommandsTest, WithoutADaemonHelpAndUsageNeedNoDisplayAndTheRestEndWithThree) {
  const std::string socket = session->controlSocket().string();
  const CommandResult run = session->runCorvella({"run", "leftHalf"});
  EXPECT_EQ(run.exitCode(), 3);
  EXPECT_EQ(run.output, "");
  EXPECT_EQ(run.error, "corvella: Corvella is not running (nothing answers at " + socket + ")\n");
  const CommandResult status = session->runCorvella({"status"});
  EXPECT_EQ(status.exitCode(), 3);
  EXPECT_EQ(status.output, "Corvella is not running (nothing answers at " + socket + ").\n");
  EXPECT_EQ(session->runCorvella({"list", "--json"}).exitCode(), 3);
  EXPECT_EQ(session->runCorvella({"grid", "2x2"}).exitCode(), 3);

  const Environment noDisplay{{"DISPLAY", ""}};
  const CommandResult help = session->runCorvella({"--help"}, noDisplay);
  EXPECT_EQ(help.exitCode(), 0);
  EXPECT_THAT(help.output, HasSubstr("  corvella run ACTION "));
  const CommandResult version = session->runCorvella({"--version"}, noDisplay);
  EXPECT_EQ(version.exitCode(), 0);
  EXPECT_THAT(version.output, ::testing::MatchesRegex("corvella [0-9]+\\.[0-9]+\\.[0-9]+\n"));

  // Each misuse's text is the command line's own (pinned there); here: how
  // the program ends on one.
  const std::pair<std::vector<std::string>, std::string> misuses[] = {
      {{"rn", "leftHalf"},
       "corvella: unknown command \"rn\" (corvella --help lists the commands)\n"},
      {{"run", "fooBar"}, "corvella: unknown action \"fooBar\" (corvella --help lists them)\n"},
  };
  for (const auto& [arguments, error] : misuses) {
    const CommandResult result = session->runCorvella(arguments, noDisplay);
    EXPECT_EQ(result.exitCode(), 2) << arguments[0];
    EXPECT_EQ(result.output, "");
    EXPECT_EQ(result.error, error);
  }
  // A typo never starts a daemon: nothing claimed the socket.
  EXPECT_FALSE(std::filesystem::exists(session->controlSocket()));
}

}  // namespace
}  // namespace corvella::e2e
