#include <gtest/gtest.h>

#include <tuple>

#include "core/control/action_answer.h"
#include "core/control/control_answer.h"
#include "core/control/control_reports.h"

namespace corvella {
namespace {

TEST(ControlAnswerTest, OneLineOfJsonOnlyAChangeThatReachedEveryTargetIsDoneAndAlignedReports) {
  const ControlAnswer centered{ExitStatus::failed, "center: 초점 창 없음\n",
                               "center: no focused window", nullptr};
  const std::string line = encodeControlAnswer(centered);
  EXPECT_EQ(line,
            "{\"exit\":1,\"output\":\"center: 초점 창 없음\\n\",\"error\":\"center: no focused "
            "window\",\"data\":null}");
  EXPECT_EQ(decodeControlAnswer(line), centered);
  // A window title can hold any bytes; the answer stays valid JSON.
  EXPECT_EQ(decodeControlAnswer(encodeControlAnswer({ExitStatus::done, "한 a\xff", "", nullptr})),
            (ControlAnswer{ExitStatus::done, "한 a\uFFFD", "", nullptr}));
  // The client takes only what is an answer.
  const char* rejected[] = {
      "",
      "[0,\"\",\"\"]",
      R"({"output":"","error":""})",
      R"({"exit":3,"output":"","error":""})",
      R"({"exit":"0","output":"","error":""})",
      R"({"exit":0,"error":""})",
      R"({"exit":0,"output":7,"error":""})",
      R"({"exit":0,"output":"","error":null})",
      R"({"exit":1,"output":"","error":"two\nlines"})",
      R"({"exit":0,"output":"","error":"","data":[[[[[[[[[[[[[[[[[[1]]]]]]]]]]]]]]]]]})"};
  for (const char* text : rejected) EXPECT_EQ(decodeControlAnswer(text), std::nullopt) << text;

  EXPECT_EQ(decodeControlAnswer(R"({"exit":2,"output":"","error":"usage"})"),
            (ControlAnswer{ExitStatus::usage, "", "usage", nullptr}));
  EXPECT_EQ(decodeControlAnswer(std::string(maxAnswerBytes + 1, ' ')), std::nullopt);
  const std::string block = "leftHalf\n  OK 목표=(0,0 720×900) 결과=(0,0 720×900) Alpha";

  const std::tuple<ActionOutcome, ExitStatus, std::string> rows[] = {
      {ActionOutcome::applied(1, 1), ExitStatus::done, ""},
      {ActionOutcome::restored(0), ExitStatus::done, ""},
      {ActionOutcome::applied(1, 0), ExitStatus::failed,
       "leftHalf: the window did not reach its target"},
      {ActionOutcome::applied(3, 2), ExitStatus::failed,
       "leftHalf: 1 of 3 windows did not reach its target"},
      {ActionOutcome::applied(3, 0), ExitStatus::failed,
       "leftHalf: 3 of 3 windows did not reach their target"},
      {ActionOutcome::applied(0, 0), ExitStatus::failed, "leftHalf: no window was moved"},
  };
  for (const auto& [outcome, exit, error] : rows) {
    const ControlAnswer answer = actionAnswer("leftHalf", outcome, {block});
    EXPECT_EQ(answer.exit, exit) << error;
    EXPECT_EQ(answer.error, error);
    EXPECT_EQ(answer.output, block + "\n");
    EXPECT_TRUE(answer.data.is_null());
  }
  const std::pair<ActionRefusal, std::string> refusals[] = {
      {ActionRefusal::notTrusted, "Corvella is not allowed to control windows"},
      {ActionRefusal::noFocusedWindow, "no focused window"},
      {ActionRefusal::noScreen, "the window is on no screen"},
      {ActionRefusal::noOtherDisplay, "there is no other display"},
      {ActionRefusal::noFrontApplication, "no front application"},
      {ActionRefusal::noWindows, "the front application has no window to tile"},
      {ActionRefusal::noWindowOnScreen,
       "none of the front application's windows is on the focused window's screen"},
  };
  for (const auto& [refusal, why] : refusals) {
    const ControlAnswer answer = actionAnswer("grid 3×2", ActionOutcome::refused(refusal), {});
    EXPECT_EQ(answer.exit, ExitStatus::failed);
    EXPECT_EQ(answer.error, "grid 3×2: " + why);
    EXPECT_EQ(answer.output, "");
  }
  // Every entry is printed in order, each ending in a line feed.
  EXPECT_EQ(actionAnswer("center", ActionOutcome::refused(ActionRefusal::noFocusedWindow),
                         {"center: 초점 창 없음", "", "two\n  lines"})
                .output,
            "center: 초점 창 없음\n\ntwo\n  lines\n");
  const UUID first = *UUID::parse("AAAAAAAA-0000-4000-8000-000000000001");

  const ControlAnswer list = listAnswer({{WindowAction::leftHalf, "Left Half", "⌃⌥←", true},
                                         {WindowAction::nextThird, "Next Third", "⌃⌥⇧→", false}},
                                        {{first, 3, 2, "6-way Split (3×2)", "Ctrl+Alt+1", true},
                                         {first, 0, 3, "0-way Split (0×3)", std::nullopt, false}});
  EXPECT_EQ(list.output,
            "Actions (corvella run ACTION):\n"
            // Columns line up by characters: each glyph is three bytes.
            "  leftHalf   ⌃⌥←   Left Half\n"
            "  nextThird  ⌃⌥⇧→  Next Third  (not registered)\n"
            "Grid layouts (corvella grid ID, or corvella grid COLUMNSxROWS):\n"
            "  AAAAAAAA-0000-4000-8000-000000000001  Ctrl+Alt+1  6-way Split (3×2)\n"
            "  AAAAAAAA-0000-4000-8000-000000000001  -           0-way Split (0×3)\n");
  EXPECT_EQ(list.data["grids"][1]["shortcut"], nullptr);
  EXPECT_EQ(list.data["grids"][1]["columns"], 0);
  EXPECT_EQ(listAnswer({}, {}).output,
            "Actions (corvella run ACTION):\n"
            "Grid layouts (corvella grid ID, or corvella grid COLUMNSxROWS):\n  none\n");
  StatusReport report{"0.1.0", 812, false, 18, 21, {}};
  report.refused = {{"Ctrl+Alt+Left", WindowAction::previousThird, std::nullopt},
                    {"Ctrl+Alt+Right", WindowAction::nextThird, std::nullopt},
                    {"Super+1", std::nullopt, first}};
  const ControlAnswer status = statusAnswer(report);
  EXPECT_EQ(status.output,
            "Corvella 0.1.0 is running (process 812).\n"
            "Accessibility: not allowed\n"
            "Shortcuts: 18 of 21 registered\n"
            "Held by another program (bind these commands to other keys):\n"
            "  Ctrl+Alt+Left   corvella run previousThird\n"
            "  Ctrl+Alt+Right  corvella run nextThird\n"
            "  Super+1         corvella grid AAAAAAAA-0000-4000-8000-000000000001\n");
  EXPECT_EQ(status.data.dump(),
            R"({"pid":812,"refused":[{"action":"previousThird","shortcut":"Ctrl+Alt+Left"},)"
            R"({"action":"nextThird","shortcut":"Ctrl+Alt+Right"},)"
            R"({"grid":"AAAAAAAA-0000-4000-8000-000000000001","shortcut":"Super+1"}],)"
            R"("registered":18,"running":true,"total":21,"trusted":false,"version":"0.1.0"})");
  // The start notice counts the shortcuts and lists their commands.
  EXPECT_EQ(refusedShortcutsNotice({}), "");
  const std::string held = " held by another program; bind these commands to other keys:\n";
  const RefusedShortcut right{"Ctrl+Alt+Right", WindowAction::nextThird, std::nullopt};
  EXPECT_EQ(refusedShortcutsNotice({right}),
            "corvella: 1 shortcut is" + held + "  Ctrl+Alt+Right  corvella run nextThird\n");
  EXPECT_EQ(refusedShortcutsNotice({{"Super+1", std::nullopt, first}, right}),
            "corvella: 2 shortcuts are" + held +
                "  Super+1         corvella grid AAAAAAAA-0000-4000-8000-000000000001\n"
                "  Ctrl+Alt+Right  corvella run nextThird\n");
}

}  // namespace
}  // namespace corvella
