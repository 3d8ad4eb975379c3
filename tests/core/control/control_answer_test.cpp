// The answer: the line the daemon writes and the client accepts, and how an
// action's outcome and the entries it logged become one.
#include <gtest/gtest.h>

#include <string>

#include "core/control/action_answer.h"
#include "core/control/control_answer.h"

namespace corvella {
namespace {

TEST(ControlAnswerTest, AnAnswerIsOneLineOfJsonWithItsFieldsInOrder) {
  const ControlAnswer answer{ExitStatus::failed, "center: 초점 창 없음\n",
                             "center: no focused window", nullptr};
  const std::string line = encodeControlAnswer(answer);
  EXPECT_EQ(line,
            "{\"exit\":1,\"output\":\"center: 초점 창 없음\\n\",\"error\":\"center: no focused "
            "window\",\"data\":null}");
  EXPECT_EQ(decodeControlAnswer(line), answer);
}

TEST(ControlAnswerTest, BytesThatAreNotUtf8BecomeReplacementCharacters) {
  // A window title can hold any bytes; the answer stays valid JSON.
  ControlAnswer answer;
  answer.output =
      "leftHalf\n  OK 목표=(0,0 720×900) 결과=(0,0 720×900) a\xff"
      "b\n";
  const auto decoded = decodeControlAnswer(encodeControlAnswer(answer));
  ASSERT_TRUE(decoded.has_value());
  EXPECT_EQ(decoded->output, "leftHalf\n  OK 목표=(0,0 720×900) 결과=(0,0 720×900) a\uFFFDb\n");
}

TEST(ControlAnswerTest, TheClientTakesOnlyWhatIsAnAnswer) {
  const char* rejected[] = {
      "",
      "leftHalf",
      "[0,\"\",\"\"]",
      R"({"output":"","error":""})",
      R"({"exit":3,"output":"","error":""})",
      R"({"exit":-1,"output":"","error":""})",
      R"({"exit":"0","output":"","error":""})",
      R"({"exit":1.0,"output":"","error":""})",
      R"({"exit":0,"error":""})",
      R"({"exit":0,"output":7,"error":""})",
      R"({"exit":0,"output":"","error":null})",
      R"({"exit":1,"output":"","error":"two\nlines"})",
      R"({"exit":0,"output":"","error":"","data":[[[[[[[[[[[[[[[[[[1]]]]]]]]]]]]]]]]]})",
  };
  for (const char* line : rejected) EXPECT_EQ(decodeControlAnswer(line), std::nullopt) << line;

  const auto minimal = decodeControlAnswer(R"({"exit":2,"output":"","error":"usage"})");
  ASSERT_TRUE(minimal.has_value());
  EXPECT_EQ(minimal->exit, ExitStatus::usage);
  EXPECT_TRUE(minimal->data.is_null());
  EXPECT_EQ(decodeControlAnswer(std::string(maxAnswerBytes + 1, ' ')), std::nullopt);
}

TEST(ControlAnswerTest, AUsageAnswerCarriesOnlyItsError) {
  EXPECT_EQ(usageAnswer("unknown request \"fly\""),
            (ControlAnswer{ExitStatus::usage, "", "unknown request \"fly\"", nullptr}));
}

const std::string block = "leftHalf\n  OK 목표=(0,0 720×900) 결과=(0,0 720×900) Alpha";

struct Row {
  ActionOutcome outcome;
  ExitStatus exit;
  std::string error;
};

TEST(ActionAnswerTest, OnlyAChangeThatReachedEveryTargetIsDone) {
  const Row rows[] = {
      {ActionOutcome::applied(1, 1), ExitStatus::done, ""},
      {ActionOutcome::applied(6, 6), ExitStatus::done, ""},
      {ActionOutcome::restored(0), ExitStatus::done, ""},
      {ActionOutcome::restored(2), ExitStatus::done, ""},
      {ActionOutcome::applied(1, 0), ExitStatus::failed,
       "leftHalf: the window did not reach its target"},
      {ActionOutcome::applied(3, 2), ExitStatus::failed,
       "leftHalf: 1 of 3 windows did not reach its target"},
      {ActionOutcome::applied(3, 0), ExitStatus::failed,
       "leftHalf: 3 of 3 windows did not reach their target"},
      {ActionOutcome::applied(0, 0), ExitStatus::failed, "leftHalf: no window was moved"},
  };
  for (const Row& row : rows) {
    const ControlAnswer answer = actionAnswer("leftHalf", row.outcome, {block});
    EXPECT_EQ(answer.exit, row.exit) << row.error;
    EXPECT_EQ(answer.error, row.error);
    EXPECT_EQ(answer.output, block + "\n");
    EXPECT_TRUE(answer.data.is_null());
  }
}

TEST(ActionAnswerTest, ARefusalIsNamedWhetherOrNotItWroteAnEntry) {
  const std::pair<ActionRefusal, std::string> rows[] = {
      {ActionRefusal::notTrusted, "Corvella is not allowed to control windows"},
      {ActionRefusal::noFocusedWindow, "no focused window"},
      {ActionRefusal::noScreen, "the window is on no screen"},
      {ActionRefusal::noOtherDisplay, "there is no other display"},
      {ActionRefusal::emptyHistory, "the history is empty"},
      {ActionRefusal::noFrontApplication, "no front application"},
      {ActionRefusal::noWindows, "the front application has no window to tile"},
      {ActionRefusal::noWindowOnScreen,
       "none of the front application's windows is on the focused window's screen"},
  };
  for (const auto& [refusal, why] : rows) {
    const ControlAnswer answer = actionAnswer("grid 3×2", ActionOutcome::refused(refusal), {});
    EXPECT_EQ(answer.exit, ExitStatus::failed);
    EXPECT_EQ(answer.error, "grid 3×2: " + why);
    EXPECT_EQ(answer.output, "");
  }
}

TEST(ActionAnswerTest, EveryEntryIsPrintedInOrderEachEndingInALineFeed) {
  const ControlAnswer answer =
      actionAnswer("center", ActionOutcome::refused(ActionRefusal::noFocusedWindow),
                   {"center: 초점 창 없음", "", "two\n  lines"});
  EXPECT_EQ(answer.output, "center: 초점 창 없음\n\ntwo\n  lines\n");
}

}  // namespace
}  // namespace corvella
