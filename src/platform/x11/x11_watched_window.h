// X11WatchedWindow: the active window's geometry and _NET_WM_STATE, kept from
// one action to the next while nothing about the window changes, so that a
// shortcut sends its move without first asking where the window is.
//
// While a window is watched this client selects its structure and property
// events: every resize, every move (the window manager tells a moved window
// by a synthetic ConfigureNotify, as the conventions between clients require)
// and every change of its frame extents or states forgets what is known. A
// value is remembered only when no such event has been seen since its request
// went out, so a change that crossed the request is never hidden. Only with a
// window manager that answers _NET_REQUEST_FRAME_EXTENTS; a placement of any
// other window selects its structure events for the time it waits.
#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/x11/x11_connection.h"
#include "platform/x11/x11_window_frames.h"

namespace corvella::x11 {

class X11WatchedWindow {
 public:
  explicit X11WatchedWindow(X11Connection& connection);

  // Watches this window from now on, and no longer the one before.
  void watch(xcb_window_t window);
  // True when this client already hears the window's ConfigureNotify.
  bool listensTo(xcb_window_t window) const {
    return window != XCB_WINDOW_NONE && window == window_;
  }

  // Tell which values a request sent now may be remembered with.
  std::uint64_t geometryEpoch() const { return geometryEpoch_; }
  std::uint64_t statesEpoch() const { return statesEpoch_; }
  std::optional<ClientGeometry> geometry(xcb_window_t window) const;
  std::optional<std::vector<xcb_atom_t>> states(xcb_window_t window) const;
  void rememberGeometry(xcb_window_t window, std::uint64_t requestedAt,
                        const std::optional<ClientGeometry>& geometry);
  void rememberStates(xcb_window_t window, std::uint64_t requestedAt,
                      const std::optional<std::vector<xcb_atom_t>>& states);

 private:
  void observe(const xcb_generic_event_t& event);
  void forgetGeometry();
  void forgetStates();

  X11Connection& connection_;
  xcb_window_t window_ = XCB_WINDOW_NONE;
  std::uint64_t geometryEpoch_ = 0;
  std::uint64_t statesEpoch_ = 0;
  std::optional<ClientGeometry> geometry_;
  std::optional<std::vector<xcb_atom_t>> states_;
};

}  // namespace corvella::x11
