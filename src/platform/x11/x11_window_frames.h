// X11WindowFrames: a client's outer frame (its geometry widened by the
// window manager's _NET_FRAME_EXTENTS), read and placed in core space.
//
// Placing goes through _NET_MOVERESIZE_WINDOW so the window manager applies
// its own rules (minimum sizes, resize increments). It answers
// asynchronously, sometimes in two steps (moved, then resized), so a placement
// waits for the window manager to have handled it before anyone reads the
// frame back: a _NET_REQUEST_FRAME_EXTENTS about our own window, sent right
// behind the move, comes back as a property change only after the window
// manager has processed the move (it handles its messages in order); each
// request names a fresh unmapped window of ours. Where the
// window manager lacks that request, the first ConfigureNotify of the window
// is the answer. Both waits are bounded.
#pragma once

#include <xcb/xcb.h>

#include <chrono>
#include <optional>

#include "core/actions/rect.h"
#include "platform/x11/x11_connection.h"

namespace corvella::x11 {

// What one placement asks for; a missing half keeps the window's current one.
struct Placement {
  std::optional<double> x, y;
  std::optional<double> width, height;
};

class X11WindowFrames {
 public:
  // Long enough for a window manager on a busy machine; an answer ends the
  // wait at once, so only an unresponsive one costs the whole limit.
  static constexpr std::chrono::milliseconds defaultSettleLimit{500};

  explicit X11WindowFrames(X11Connection& connection,
                           std::chrono::milliseconds settleLimit = defaultSettleLimit)
      : connection_(connection), settleLimit_(settleLimit) {}

  // Absent when the window is gone.
  std::optional<Rect> read(xcb_window_t window);
  // Asks for the placement and returns once the window manager has answered
  // (or the limit has passed). A vanished window is no error.
  void place(xcb_window_t window, const Placement& placement);

 private:
  void waitForWindowManager(xcb_window_t window, bool barrier);

  X11Connection& connection_;
  std::chrono::milliseconds settleLimit_;
};

}  // namespace corvella::x11
