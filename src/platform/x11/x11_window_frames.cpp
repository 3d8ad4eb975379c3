#include "platform/x11/x11_window_frames.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/x11/x11_monitors.h"
#include "platform/x11/x11_window_properties.h"

namespace corvella::x11 {
namespace {

constexpr std::uint32_t northWestGravity = 1;
constexpr std::uint32_t allFourFields = 0xf << 8;
constexpr std::uint32_t sourcePager = 2 << 12;
constexpr std::uint32_t removeState = 0;

// Where a client window is and what surrounds it, in root space.
struct ClientGeometry {
  double clientX = 0, clientY = 0;  // inside its border
  double width = 0, height = 0;
  double border = 0;
  FrameExtents extents;
  MonitorRect primary;
  std::vector<xcb_atom_t> states;

  Rect outer() const {
    return Rect{clientX - border - extents.left, clientY - border - extents.top,
                width + 2 * border + extents.left + extents.right,
                height + 2 * border + extents.top + extents.bottom};
  }
};

// One round trip for everything a read or a placement needs.
std::optional<ClientGeometry> clientGeometry(X11Connection& connection, xcb_window_t window,
                                             bool withStates) {
  xcb_connection_t* c = connection.xcb();
  auto geometryCookie = xcb_get_geometry(c, window);
  auto translateCookie = xcb_translate_coordinates(c, window, connection.root(), 0, 0);
  auto extentsCookie =
      xcb_get_property(c, 0, window, connection.ewmh()._NET_FRAME_EXTENTS, XCB_ATOM_CARDINAL, 0, 4);
  xcb_get_property_cookie_t statesCookie{};
  if (withStates) {
    statesCookie =
        xcb_get_property(c, 0, window, connection.ewmh()._NET_WM_STATE, XCB_ATOM_ATOM, 0, 64);
  }
  auto monitorsCookie = requestMonitors(connection);

  auto geometry = connection.reply(xcb_get_geometry_reply, geometryCookie);
  auto translated = connection.reply(xcb_translate_coordinates_reply, translateCookie);
  auto extents = connection.reply(xcb_get_property_reply, extentsCookie);
  ReplyPtr<xcb_get_property_reply_t> states;
  if (withStates) states = connection.reply(xcb_get_property_reply, statesCookie);
  std::vector<MonitorRect> monitors = monitorsReply(connection, monitorsCookie);
  if (!geometry || !translated) return std::nullopt;

  ClientGeometry result;
  result.clientX = translated->dst_x;
  result.clientY = translated->dst_y;
  result.width = geometry->width;
  result.height = geometry->height;
  result.border = geometry->border_width;
  if (extents && extents->format == 32 && xcb_get_property_value_length(extents.get()) >= 16) {
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(extents.get()));
    result.extents = FrameExtents{values[0], values[1], values[2], values[3]};
  }
  if (states && states->format == 32) {
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(states.get()));
    result.states.assign(atoms, atoms + xcb_get_property_value_length(states.get()) / 4);
  }
  result.primary = monitors.front();
  return result;
}

void sendToRoot(X11Connection& connection, xcb_window_t window, xcb_atom_t type,
                const std::uint32_t (&data)[5]) {
  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = window;
  message.type = type;
  std::copy(std::begin(data), std::end(data), message.data.data32);
  xcb_send_event(connection.xcb(), 0, connection.root(),
                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&message));
}

// Whole pixels; the window manager takes nothing else. Values far outside
// the 16-bit coordinate range of X are clamped rather than wrapped.
std::int32_t pixels(double value) {
  if (!std::isfinite(value)) return 0;
  return static_cast<std::int32_t>(std::clamp(std::round(value), -32768.0, 32767.0));
}

}  // namespace

std::optional<Rect> X11WindowFrames::read(xcb_window_t window) {
  auto geometry = clientGeometry(connection_, window, false);
  if (!geometry) return std::nullopt;
  Rect outer = geometry->outer();
  outer.x -= geometry->primary.x;
  outer.y -= geometry->primary.y;
  return outer;
}

bool X11WindowFrames::place(xcb_window_t window, const Placement& placement,
                            X11WaitBudget& budget) {
  auto geometry = clientGeometry(connection_, window, true);
  if (!geometry) return true;
  auto& ewmh = connection_.ewmh();

  // A maximized window would keep its maximized frame; it gives that up first.
  const auto& states = geometry->states;
  const bool maximizedVertically =
      std::find(states.begin(), states.end(), ewmh._NET_WM_STATE_MAXIMIZED_VERT) != states.end();
  const bool maximizedHorizontally =
      std::find(states.begin(), states.end(), ewmh._NET_WM_STATE_MAXIMIZED_HORZ) != states.end();
  if (maximizedVertically || maximizedHorizontally) {
    sendToRoot(connection_, window, ewmh._NET_WM_STATE,
               {removeState, ewmh._NET_WM_STATE_MAXIMIZED_VERT, ewmh._NET_WM_STATE_MAXIMIZED_HORZ,
                sourcePager >> 12, 0});
  }

  const Rect current = geometry->outer();
  const double x = placement.x ? *placement.x + geometry->primary.x : current.x;
  const double y = placement.y ? *placement.y + geometry->primary.y : current.y;
  const double outerWidth = placement.width.value_or(current.width);
  const double outerHeight = placement.height.value_or(current.height);
  const double decorationWidth =
      2 * geometry->border + geometry->extents.left + geometry->extents.right;
  const double decorationHeight =
      2 * geometry->border + geometry->extents.top + geometry->extents.bottom;
  const std::int32_t clientWidth = std::max(1, pixels(outerWidth - decorationWidth));
  const std::int32_t clientHeight = std::max(1, pixels(outerHeight - decorationHeight));

  // With the budget spent the move still goes out, to be handled whenever
  // the window manager gets to it, but nothing waits for it.
  const bool wait = !budget.spent();
  const bool barrier = connection_.windowManagerSupports(ewmh._NET_REQUEST_FRAME_EXTENTS);
  if (wait && !barrier) {
    // The answer will be the window's ConfigureNotify: listen before asking.
    const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection_.xcb(), window, XCB_CW_EVENT_MASK, &mask);
  }
  sendToRoot(connection_, window, ewmh._NET_MOVERESIZE_WINDOW,
             {northWestGravity | allFourFields | sourcePager, static_cast<std::uint32_t>(pixels(x)),
              static_cast<std::uint32_t>(pixels(y)), static_cast<std::uint32_t>(clientWidth),
              static_cast<std::uint32_t>(clientHeight)});
  if (!wait) {
    connection_.flush();
    return false;
  }
  return waitForWindowManager(window, barrier, budget.deadline());
}

bool X11WindowFrames::waitForWindowManager(xcb_window_t window, bool barrier,
                                           X11WaitBudget::Clock::time_point deadline) {
  auto& ewmh = connection_.ewmh();
  if (barrier) {
    // A window of its own for each request, so that the late answer to a
    // request that timed out can never be taken for the answer to this one.
    xcb_connection_t* c = connection_.xcb();
    const xcb_window_t probe = xcb_generate_id(c);
    const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(c, XCB_COPY_FROM_PARENT, probe, connection_.root(), -1, -1, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                      &events);
    sendToRoot(connection_, probe, ewmh._NET_REQUEST_FRAME_EXTENTS, {0, 0, 0, 0, 0});
    const xcb_atom_t extentsAtom = ewmh._NET_FRAME_EXTENTS;
    const bool answered = connection_.waitForEvent(
                              [probe, extentsAtom](const xcb_generic_event_t& event) {
                                if (eventType(event) != XCB_PROPERTY_NOTIFY) return false;
                                const auto& notify =
                                    reinterpret_cast<const xcb_property_notify_event_t&>(event);
                                return notify.window == probe && notify.atom == extentsAtom;
                              },
                              deadline) != nullptr;
    xcb_destroy_window(c, probe);
    return answered;
  }
  // Without the request the first ConfigureNotify of the window is the answer.
  return connection_.waitForEvent(
             [window](const xcb_generic_event_t& event) {
               if (eventType(event) != XCB_CONFIGURE_NOTIFY) return false;
               return reinterpret_cast<const xcb_configure_notify_event_t&>(event).window == window;
             },
             deadline) != nullptr;
}

}  // namespace corvella::x11
