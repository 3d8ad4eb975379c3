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
#include "platform/x11/x11_wait_budget.h"

namespace corvella::x11 {

// What one placement asks for; a missing half keeps the window's current one.
struct Placement {
  std::optional<double> x, y;
  std::optional<double> width, height;
};

class X11WindowFrames {
 public:
  explicit X11WindowFrames(X11Connection& connection) : connection_(connection) {}

  // Absent when the window is gone.
  std::optional<Rect> read(xcb_window_t window);
  // Asks for the placement and returns once the window manager has answered,
  // or at once when the budget is spent. True when the answer came (or the
  // window is gone, which is no error); false when the placement was sent
  // but the window manager has not handled it yet.
  bool place(xcb_window_t window, const Placement& placement, X11WaitBudget& budget);

 private:
  bool waitForWindowManager(xcb_window_t window, bool barrier,
                            X11WaitBudget::Clock::time_point deadline);

  X11Connection& connection_;
};

}  // namespace corvella::x11
