// What the daemon checks about its session before it starts: an X display
// to work on, and a window manager that speaks EWMH, through which windows
// are found and moved.
#pragma once

#include "platform/x11/x11_connection.h"
#include "platform/xdg/xdg_environment.h"

namespace corvella::x11 {

// A Wayland session without an X display (no DISPLAY), where Corvella
// cannot work; false when there is a display to try.
bool waylandWithoutX(const xdg::EnvironmentReader& environment);

// Whether an EWMH window manager runs: the root window names a supporting
// window, and that window names itself.
bool ewmhWindowManagerRuns(X11Connection& connection);

}  // namespace corvella::x11
