// X11DesktopState: what stays true about the desktop from one action to the
// next until the server says otherwise, so that a shortcut asks the server
// only about the window it moves:
//   - the active window, until _NET_ACTIVE_WINDOW changes; it is asked for
//     again right then, so that the shortcut that follows a click finds the
//     answer waiting (asking for an activation changes nothing here until
//     the window manager has done it);
//   - the application each window belongs to, until _NET_CLIENT_LIST changes
//     (a window id may be reused only after its window has left the list);
//   - the monitors and the root's size, until RandR reports a change or the
//     root is resized;
//   - the screens' visible areas, until any of those change, or
//     _NET_CLIENT_LIST, or _NET_WORKAREA (which the window manager rewrites
//     whenever a strut changes).
// Before answering it reads the events the server has already sent, so no
// answer is older than what the server has told us.
#pragma once

#include <xcb/xcb.h>

#include <map>
#include <optional>
#include <vector>

#include "core/ports/screens.h"
#include "platform/x11/screen_areas.h"
#include "platform/x11/x11_applications.h"
#include "platform/x11/x11_connection.h"
#include "platform/x11/x11_window_properties.h"

namespace corvella::x11 {

class X11DesktopState {
 public:
  // Asks the server for the events that tell about those changes.
  explicit X11DesktopState(X11Connection& connection);

  std::optional<xcb_window_t> activeWindow();

  // The application of a window; absent when the window is gone.
  std::optional<ApplicationKey> applicationKey(xcb_window_t window);
  // The same for many windows, asking about the unknown ones together.
  std::vector<std::optional<ApplicationKey>> applicationKeys(
      const std::vector<xcb_window_t>& windows);

  // The monitors, primary first (never empty).
  const std::vector<MonitorRect>& monitors();
  std::vector<PlatformScreen> screens();

 private:
  struct Monitors {
    std::vector<MonitorRect> monitors;
    std::uint32_t rootWidth = 0, rootHeight = 0;
  };

  void observe(const xcb_generic_event_t& event);
  const Monitors& knownMonitors();

  X11Connection& connection_;
  std::optional<Answer<std::optional<xcb_window_t>>> activeAnswer_;
  std::optional<std::optional<xcb_window_t>> active_;
  std::map<xcb_window_t, std::optional<ApplicationKey>> applications_;
  std::optional<Monitors> monitors_;
  std::optional<std::vector<PlatformScreen>> screens_;
};

}  // namespace corvella::x11
