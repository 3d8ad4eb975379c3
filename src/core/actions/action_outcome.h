// ActionOutcome: what one perform or applyGrid came to. The log and the beep
// tell the user; this tells a caller that reports the result elsewhere (the
// control channel's answer and exit status).
#pragma once

#include <cstddef>

namespace corvella {

// Why nothing changed.
enum class ActionRefusal {
  notTrusted,          // no Accessibility permission (the prompt is shown)
  noFocusedWindow,     // no focused window, or its frame cannot be read
  noScreen,            // the window stands on no screen (no screens at all)
  noOtherDisplay,      // a display move with a single screen
  emptyHistory,        // undo or redo with nothing to replay
  noFrontApplication,  // tiling with no front application
  noWindows,           // tiling found no window with a readable frame, or no screen for it
  noWindowOnScreen,    // tiling found the application's windows on other screens only
};

struct ActionOutcome {
  enum class Kind { applied, restored, refused };

  Kind kind = Kind::refused;
  // applied: windows written; restored: windows in the replayed entry.
  std::size_t moves = 0;
  // applied: windows that took their target within 4 points.
  std::size_t reached = 0;
  ActionRefusal refusal = ActionRefusal::noFrontApplication;  // only when refused

  static ActionOutcome applied(std::size_t moves, std::size_t reached) {
    return {Kind::applied, moves, reached, {}};
  }
  static ActionOutcome restored(std::size_t moves) { return {Kind::restored, moves, 0, {}}; }
  static ActionOutcome refused(ActionRefusal why) { return {Kind::refused, 0, 0, why}; }

  friend bool operator==(const ActionOutcome&, const ActionOutcome&) = default;
};

}  // namespace corvella
