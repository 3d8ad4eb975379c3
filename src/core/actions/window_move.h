// WindowMove and history entries: a window with a frame.
#pragma once

#include <vector>

#include "core/access/ax_window.h"
#include "core/actions/rect.h"

namespace corvella {

// In a batch handed to apply the frame is the target; in a history entry it
// is the frame to go back to.
struct WindowMove {
  AXWindow window;
  Rect frame;
};

// The moves of one operation; may be empty.
using HistoryEntry = std::vector<WindowMove>;

}  // namespace corvella
