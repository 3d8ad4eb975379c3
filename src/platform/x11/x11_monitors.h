// X11Monitors: the RandR monitors, primary first, and the struts of the
// managed clients on them. Never _NET_WORKAREA: that is one rectangle for the
// whole root and wrong as soon as there are two monitors.
#pragma once

#include <xcb/randr.h>

#include <vector>

#include "platform/x11/screen_areas.h"
#include "platform/x11/x11_connection.h"

namespace corvella::x11 {

// A monitor request sent now and answered later, so that it can share a
// round trip with other requests.
xcb_randr_get_monitors_cookie_t requestMonitors(X11Connection& connection);
// Primary first, then the others in the server's order. Without monitors
// (an old server, or none active) the whole root is one monitor.
std::vector<MonitorRect> monitorsReply(X11Connection& connection,
                                       xcb_randr_get_monitors_cookie_t cookie);
std::vector<MonitorRect> currentMonitors(X11Connection& connection);

}  // namespace corvella::x11
