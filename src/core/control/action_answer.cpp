#include "core/control/action_answer.h"

namespace corvella {
namespace {

std::string missedText(const ActionOutcome& outcome) {
  if (outcome.moves == 0) return "no window was moved";
  const std::size_t missed = outcome.moves - outcome.reached;
  if (outcome.moves == 1) return "the window did not reach its target";
  return std::to_string(missed) + " of " + std::to_string(outcome.moves) +
         (missed == 1 ? " windows did not reach its target"
                      : " windows did not reach their target");
}

}  // namespace

std::string_view refusalText(ActionRefusal refusal) {
  switch (refusal) {
    case ActionRefusal::notTrusted:
      return "Corvella is not allowed to control windows";
    case ActionRefusal::noFocusedWindow:
      return "no focused window";
    case ActionRefusal::noScreen:
      return "the window is on no screen";
    case ActionRefusal::noOtherDisplay:
      return "there is no other display";
    case ActionRefusal::emptyHistory:
      return "the history is empty";
    case ActionRefusal::noFrontApplication:
      return "no front application";
    case ActionRefusal::noWindows:
      return "the front application has no window to tile";
    case ActionRefusal::noWindowOnScreen:
      return "none of the front application's windows is on the focused window's screen";
  }
  return "refused";
}

ControlAnswer actionAnswer(std::string_view label, const ActionOutcome& outcome,
                           const std::vector<std::string>& entries) {
  ControlAnswer answer;
  for (const std::string& entry : entries) {
    answer.output += entry;
    answer.output += '\n';
  }
  std::string why;
  switch (outcome.kind) {
    case ActionOutcome::Kind::restored:
      return answer;
    case ActionOutcome::Kind::applied:
      if (outcome.moves > 0 && outcome.reached == outcome.moves) return answer;
      why = missedText(outcome);
      break;
    case ActionOutcome::Kind::refused:
      why = refusalText(outcome.refusal);
      break;
  }
  answer.exit = ExitStatus::failed;
  answer.error = std::string(label) + ": " + why;
  return answer;
}

}  // namespace corvella
