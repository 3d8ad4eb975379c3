#include "platform/x11/x11_watched_window.h"

namespace corvella::x11 {

X11WatchedWindow::X11WatchedWindow(X11Connection& connection) : connection_(connection) {
  connection_.addEventObserver([this](const xcb_generic_event_t& event) { observe(event); });
}

void X11WatchedWindow::watch(xcb_window_t window) {
  if (window == window_) return;
  if (!connection_.windowManagerSupports(connection_.ewmh()._NET_REQUEST_FRAME_EXTENTS)) return;
  xcb_connection_t* c = connection_.xcb();
  if (window_ != XCB_WINDOW_NONE) {
    const std::uint32_t none = XCB_EVENT_MASK_NO_EVENT;
    xcb_change_window_attributes(c, window_, XCB_CW_EVENT_MASK, &none);
  }
  const std::uint32_t events = XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_change_window_attributes(c, window, XCB_CW_EVENT_MASK, &events);
  window_ = window;
  forgetGeometry();
  forgetStates();
}

void X11WatchedWindow::forgetGeometry() {
  ++geometryEpoch_;
  geometry_.reset();
}

void X11WatchedWindow::forgetStates() {
  ++statesEpoch_;
  states_.reset();
}

void X11WatchedWindow::observe(const xcb_generic_event_t& event) {
  if (window_ == XCB_WINDOW_NONE) return;
  switch (eventType(event)) {
    case XCB_CONFIGURE_NOTIFY:
      if (reinterpret_cast<const xcb_configure_notify_event_t&>(event).window == window_) {
        forgetGeometry();
      }
      break;
    case XCB_PROPERTY_NOTIFY: {
      const auto& notify = reinterpret_cast<const xcb_property_notify_event_t&>(event);
      const auto& ewmh = connection_.ewmh();
      if (notify.window != window_) break;
      if (notify.atom == ewmh._NET_FRAME_EXTENTS) forgetGeometry();
      if (notify.atom == ewmh._NET_WM_STATE) forgetStates();
      break;
    }
    case XCB_UNMAP_NOTIFY:
    case XCB_DESTROY_NOTIFY:
    case XCB_REPARENT_NOTIFY:
      // Whichever window the event names, the watched one may be affected.
      forgetGeometry();
      forgetStates();
      break;
    default:
      break;
  }
}

std::optional<ClientGeometry> X11WatchedWindow::geometry(xcb_window_t window) const {
  return window == window_ ? geometry_ : std::nullopt;
}

std::optional<std::vector<xcb_atom_t>> X11WatchedWindow::states(xcb_window_t window) const {
  return window == window_ ? states_ : std::nullopt;
}

void X11WatchedWindow::rememberGeometry(xcb_window_t window, std::uint64_t requestedAt,
                                        const std::optional<ClientGeometry>& geometry) {
  if (window == window_ && requestedAt == geometryEpoch_ && geometry) geometry_ = geometry;
}

void X11WatchedWindow::rememberStates(xcb_window_t window, std::uint64_t requestedAt,
                                      const std::optional<std::vector<xcb_atom_t>>& states) {
  if (window == window_ && requestedAt == statesEpoch_ && states) states_ = states;
}

}  // namespace corvella::x11
