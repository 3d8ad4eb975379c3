#include "platform/x11/x11_monitors.h"

namespace corvella::x11 {

xcb_randr_get_monitors_cookie_t requestMonitors(X11Connection& connection) {
  return xcb_randr_get_monitors(connection.xcb(), connection.root(), 1);
}

std::vector<MonitorRect> monitorsReply(X11Connection& connection,
                                       xcb_randr_get_monitors_cookie_t cookie) {
  std::vector<MonitorRect> monitors;
  auto reply = connection.reply(xcb_randr_get_monitors_reply, cookie);
  if (reply) {
    for (auto it = xcb_randr_get_monitors_monitors_iterator(reply.get()); it.rem;
         xcb_randr_monitor_info_next(&it)) {
      const xcb_randr_monitor_info_t& info = *it.data;
      if (info.width == 0 || info.height == 0) continue;
      MonitorRect monitor{info.x, info.y, info.width, info.height};
      if (info.primary) {
        monitors.insert(monitors.begin(), monitor);
      } else {
        monitors.push_back(monitor);
      }
    }
  }
  if (monitors.empty()) {
    const xcb_screen_t& screen = connection.screen();
    monitors.push_back(MonitorRect{0, 0, screen.width_in_pixels, screen.height_in_pixels});
  }
  return monitors;
}

std::vector<MonitorRect> currentMonitors(X11Connection& connection) {
  return monitorsReply(connection, requestMonitors(connection));
}

}  // namespace corvella::x11
