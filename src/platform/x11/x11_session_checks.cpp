#include "platform/x11/x11_session_checks.h"

#include <optional>

namespace corvella::x11 {
namespace {

std::optional<xcb_window_t> supportingWindow(X11Connection& connection, xcb_window_t window) {
  auto reply = connection.reply(
      xcb_get_property_reply,
      xcb_get_property(connection.xcb(), 0, window, connection.ewmh()._NET_SUPPORTING_WM_CHECK,
                       XCB_ATOM_WINDOW, 0, 1));
  if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4) {
    return std::nullopt;
  }
  return *static_cast<const xcb_window_t*>(xcb_get_property_value(reply.get()));
}

}  // namespace

bool waylandWithoutX(const xdg::EnvironmentReader& environment) {
  const auto display = environment("DISPLAY");
  if (display && !display->empty()) return false;
  const auto wayland = environment("WAYLAND_DISPLAY");
  return (wayland && !wayland->empty()) || environment("XDG_SESSION_TYPE") == "wayland";
}

bool ewmhWindowManagerRuns(X11Connection& connection) {
  const auto named = supportingWindow(connection, connection.root());
  return named && supportingWindow(connection, *named) == named;
}

}  // namespace corvella::x11
