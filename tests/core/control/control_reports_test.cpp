// list and status as people read them: aligned columns, the refused
// shortcuts with the commands to bind in their place.
#include <gtest/gtest.h>

#include <string>

#include "core/control/control_reports.h"

namespace corvella {
namespace {

const UUID first = *UUID::parse("AAAAAAAA-0000-4000-8000-000000000001");

TEST(ControlReportsTest, ListAlignsEachSectionsColumnsAndMarksWhatIsNotRegistered) {
  const ControlAnswer answer =
      listAnswer({{WindowAction::leftHalf, "Left Half", "Alt+Super+Left", true},
                  {WindowAction::nextThird, "Next Third", "Ctrl+Alt+Right", false}},
                 {{first, 3, 2, "6-way Split (3×2)", "Ctrl+Alt+1", true},
                  {first, 0, 3, "0-way Split (0×3)", std::nullopt, false}});
  EXPECT_EQ(answer.output,
            "Actions (corvella run ACTION):\n"
            "  leftHalf   Alt+Super+Left  Left Half\n"
            "  nextThird  Ctrl+Alt+Right  Next Third  (not registered)\n"
            "Grid layouts (corvella grid ID, or corvella grid COLUMNSxROWS):\n"
            "  AAAAAAAA-0000-4000-8000-000000000001  Ctrl+Alt+1  6-way Split (3×2)\n"
            "  AAAAAAAA-0000-4000-8000-000000000001  -           0-way Split (0×3)\n");
  EXPECT_EQ(answer.exit, ExitStatus::done);
  EXPECT_EQ(answer.data["grids"][1]["shortcut"], nullptr);
  EXPECT_EQ(answer.data["grids"][1]["columns"], 0);
}

TEST(ControlReportsTest, ListWithoutGridLayoutsSaysSo) {
  const ControlAnswer answer = listAnswer({}, {});
  EXPECT_EQ(answer.output,
            "Actions (corvella run ACTION):\n"
            "Grid layouts (corvella grid ID, or corvella grid COLUMNSxROWS):\n"
            "  none\n");
  EXPECT_EQ(answer.data, (nlohmann::json{{"actions", nlohmann::json::array()},
                                         {"grids", nlohmann::json::array()}}));
}

TEST(ControlReportsTest, StatusCountsTheShortcutsAndNamesTheRefusedOnes) {
  StatusReport report{"0.1.0", 812, false, 18, 21, {}};
  report.refused = {{"Ctrl+Alt+Left", WindowAction::previousThird, std::nullopt},
                    {"Ctrl+Alt+Right", WindowAction::nextThird, std::nullopt},
                    {"Super+1", std::nullopt, first}};
  const ControlAnswer answer = statusAnswer(report);
  EXPECT_EQ(answer.output,
            "Corvella 0.1.0 is running (process 812).\n"
            "Accessibility: not allowed\n"
            "Shortcuts: 18 of 21 registered\n"
            "Held by another program (bind these commands to other keys):\n"
            "  Ctrl+Alt+Left   corvella run previousThird\n"
            "  Ctrl+Alt+Right  corvella run nextThird\n"
            "  Super+1         corvella grid AAAAAAAA-0000-4000-8000-000000000001\n");
  EXPECT_EQ(answer.data, (nlohmann::json{
                             {"running", true},
                             {"version", "0.1.0"},
                             {"pid", 812},
                             {"trusted", false},
                             {"registered", 18},
                             {"total", 21},
                             {"refused",
                              {{{"shortcut", "Ctrl+Alt+Left"}, {"action", "previousThird"}},
                               {{"shortcut", "Ctrl+Alt+Right"}, {"action", "nextThird"}},
                               {{"shortcut", "Super+1"}, {"grid", first.uuidString()}}}},
                         }));
}

TEST(ControlReportsTest, TheStartNoticeCountsTheShortcutsAndListsTheirCommands) {
  EXPECT_EQ(refusedShortcutsNotice({}), "");
  EXPECT_EQ(refusedShortcutsNotice({{"Ctrl+Alt+Right", WindowAction::nextThird, std::nullopt}}),
            "corvella: 1 shortcut is held by another program; bind these commands to other "
            "keys:\n"
            "  Ctrl+Alt+Right  corvella run nextThird\n");
  EXPECT_EQ(refusedShortcutsNotice({{"Ctrl+Alt+Left", WindowAction::previousThird, std::nullopt},
                                    {"Ctrl+Alt+Right", WindowAction::nextThird, std::nullopt}}),
            "corvella: 2 shortcuts are held by another program; bind these commands to other "
            "keys:\n"
            "  Ctrl+Alt+Left   corvella run previousThird\n"
            "  Ctrl+Alt+Right  corvella run nextThird\n");
}

}  // namespace
}  // namespace corvella
