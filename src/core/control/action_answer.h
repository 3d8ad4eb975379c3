// The answer to a run or grid request: the entries the action wrote to the
// log, and the exit status and error line its outcome gives.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/actions/action_outcome.h"
#include "core/control/control_answer.h"

namespace corvella {

// label names the request in the error line ("leftHalf", "grid 3×2").
// Done only when something changed and every written window took its target.
ControlAnswer actionAnswer(std::string_view label, const ActionOutcome& outcome,
                           const std::vector<std::string>& entries);

// Why nothing changed, in a few words ("the history is empty").
std::string_view refusalText(ActionRefusal refusal);

}  // namespace corvella
