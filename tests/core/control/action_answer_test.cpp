// From an action's outcome and the entries it logged to the answer: the
// entries as printed, the exit status, and the error line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/control/action_answer.h"

namespace corvella {
namespace {

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
