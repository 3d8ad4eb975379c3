#include "platform/x11/x11_desktop_state.h"

#include <xcb/randr.h>

#include "platform/x11/x11_monitors.h"
#include "platform/x11/x11_window_properties.h"

namespace corvella::x11 {

X11DesktopState::X11DesktopState(X11Connection& connection) : connection_(connection) {
  xcb_change_window_attributes(connection_.xcb(), connection_.root(), XCB_CW_EVENT_MASK,
                               &rootEventMask);
  xcb_randr_select_input(connection_.xcb(), connection_.root(),
                         XCB_RANDR_NOTIFY_MASK_SCREEN_CHANGE | XCB_RANDR_NOTIFY_MASK_CRTC_CHANGE |
                             XCB_RANDR_NOTIFY_MASK_OUTPUT_CHANGE |
                             XCB_RANDR_NOTIFY_MASK_RESOURCE_CHANGE);
  connection_.addEventObserver([this](const xcb_generic_event_t& event) { observe(event); });
}

void X11DesktopState::observe(const xcb_generic_event_t& event) {
  const std::uint8_t type = eventType(event);
  if (type == XCB_PROPERTY_NOTIFY) {
    const auto& notify = reinterpret_cast<const xcb_property_notify_event_t&>(event);
    if (notify.window != connection_.root()) return;
    const auto& ewmh = connection_.ewmh();
    if (notify.atom == ewmh._NET_ACTIVE_WINDOW) {
      active_.reset();
      activeAnswer_ = requestActiveWindow(connection_);
    } else if (notify.atom == ewmh._NET_CLIENT_LIST) {
      applications_.clear();
      screens_.reset();
    } else if (notify.atom == ewmh._NET_WORKAREA) {
      screens_.reset();
    }
  } else if (type == XCB_CONFIGURE_NOTIFY) {
    if (reinterpret_cast<const xcb_configure_notify_event_t&>(event).window != connection_.root()) {
      return;
    }
    monitors_.reset();
    screens_.reset();
  } else if (type == connection_.randrFirstEvent() + XCB_RANDR_SCREEN_CHANGE_NOTIFY ||
             type == connection_.randrFirstEvent() + XCB_RANDR_NOTIFY) {
    monitors_.reset();
    screens_.reset();
  }
}

std::optional<xcb_window_t> X11DesktopState::activeWindow() {
  connection_.readArrivedEvents();
  if (!active_) {
    active_ = activeAnswer_ ? (*activeAnswer_)() : x11::activeWindow(connection_);
    activeAnswer_.reset();
  }
  return *active_;
}

std::optional<ApplicationKey> X11DesktopState::applicationKey(xcb_window_t window) {
  return applicationKeys({window}).front();
}

std::vector<std::optional<ApplicationKey>> X11DesktopState::applicationKeys(
    const std::vector<xcb_window_t>& windows) {
  connection_.readArrivedEvents();
  std::vector<xcb_window_t> unknown;
  for (xcb_window_t window : windows) {
    if (!applications_.contains(window)) unknown.push_back(window);
  }
  if (!unknown.empty()) {
    const auto keys = applicationKeysOf(connection_, unknown);
    for (std::size_t i = 0; i < unknown.size(); ++i) applications_[unknown[i]] = keys[i];
  }
  std::vector<std::optional<ApplicationKey>> keys;
  keys.reserve(windows.size());
  for (xcb_window_t window : windows) keys.push_back(applications_.at(window));
  return keys;
}

const X11DesktopState::Monitors& X11DesktopState::knownMonitors() {
  connection_.readArrivedEvents();
  if (!monitors_) {
    auto monitorsCookie = requestMonitors(connection_);
    auto rootCookie = xcb_get_geometry(connection_.xcb(), connection_.root());
    connection_.noteSent(rootCookie.sequence);
    Monitors known;
    known.monitors = monitorsReply(connection_, monitorsCookie);
    auto root = connection_.reply(xcb_get_geometry_reply, rootCookie);
    known.rootWidth = root ? root->width : connection_.screen().width_in_pixels;
    known.rootHeight = root ? root->height : connection_.screen().height_in_pixels;
    monitors_ = std::move(known);
  }
  return *monitors_;
}

const std::vector<MonitorRect>& X11DesktopState::monitors() {
  return knownMonitors().monitors;
}

std::vector<PlatformScreen> X11DesktopState::screens() {
  const Monitors& known = knownMonitors();
  if (!screens_) {
    std::vector<Strut> struts;
    for (const auto& strut : strutsOf(connection_, clientListStacking(connection_))) {
      if (strut) struts.push_back(*strut);
    }
    std::vector<Rect> visible;
    visible.reserve(known.monitors.size());
    for (const MonitorRect& monitor : known.monitors) {
      visible.push_back(visibleArea(monitor, struts, known.rootWidth, known.rootHeight));
    }
    screens_ = platformScreens(known.monitors, visible);
  }
  return *screens_;
}

}  // namespace corvella::x11
