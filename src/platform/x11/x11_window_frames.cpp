#include "platform/x11/x11_window_frames.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/x11/x11_watched_window.h"

namespace corvella::x11 {
namespace {

constexpr std::uint32_t northWestGravity = 1;
constexpr std::uint32_t allFourFields = 0xf << 8;
constexpr std::uint32_t sourcePager = 2 << 12;
constexpr std::uint32_t removeState = 0;

unsigned int sendToRoot(X11Connection& connection, xcb_window_t window, xcb_atom_t type,
                        const std::uint32_t (&data)[5]) {
  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = window;
  message.type = type;
  std::copy(std::begin(data), std::end(data), message.data.data32);
  return xcb_send_event(connection.xcb(), 0, connection.root(),
                        XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                        reinterpret_cast<const char*>(&message))
      .sequence;
}

// True when the event came after the server had handled request `sequence`
// of this connection: an older one cannot answer that request.
bool cameAfter(const xcb_generic_event_t& event, unsigned int sequence) {
  return static_cast<std::int32_t>(event.full_sequence - sequence) >= 0;
}

// Whole pixels; the window manager takes nothing else. Values far outside
// the 16-bit coordinate range of X are clamped rather than wrapped.
std::int32_t pixels(double value) {
  if (!std::isfinite(value)) return 0;
  return static_cast<std::int32_t>(std::clamp(std::round(value), -32768.0, 32767.0));
}

}  // namespace

Rect ClientGeometry::outer() const {
  return Rect{clientX - border - extents.left, clientY - border - extents.top,
              width + 2 * border + extents.left + extents.right,
              height + 2 * border + extents.top + extents.bottom};
}

Rect ClientGeometry::outerInCoreSpace(const MonitorRect& primary) const {
  Rect frame = outer();
  frame.x -= primary.x;
  frame.y -= primary.y;
  return frame;
}

Answer<std::optional<ClientGeometry>> requestClientGeometry(X11Connection& connection,
                                                            xcb_window_t window) {
  xcb_connection_t* c = connection.xcb();
  auto geometryCookie = xcb_get_geometry(c, window);
  auto translateCookie = xcb_translate_coordinates(c, window, connection.root(), 0, 0);
  auto extentsCookie =
      xcb_get_property(c, 0, window, connection.ewmh()._NET_FRAME_EXTENTS, XCB_ATOM_CARDINAL, 0, 4);
  auto treeCookie = xcb_query_tree(c, window);
  return {connection,
          {geometryCookie.sequence, translateCookie.sequence, extentsCookie.sequence,
           treeCookie.sequence},
          [&connection, geometryCookie, translateCookie, extentsCookie,
           treeCookie]() -> std::optional<ClientGeometry> {
            auto geometry = connection.reply(xcb_get_geometry_reply, geometryCookie);
            auto translated = connection.reply(xcb_translate_coordinates_reply, translateCookie);
            auto extents = connection.reply(xcb_get_property_reply, extentsCookie);
            auto tree = connection.reply(xcb_query_tree_reply, treeCookie);
            if (!geometry || !translated) return std::nullopt;
            ClientGeometry result;
            if (tree) result.parent = tree->parent;
            result.clientX = translated->dst_x;
            result.clientY = translated->dst_y;
            result.width = geometry->width;
            result.height = geometry->height;
            result.border = geometry->border_width;
            if (extents && extents->format == 32 &&
                xcb_get_property_value_length(extents.get()) >= 16) {
              const auto* values =
                  static_cast<const std::uint32_t*>(xcb_get_property_value(extents.get()));
              result.extents = FrameExtents{values[0], values[1], values[2], values[3]};
            }
            return result;
          }};
}

X11WindowFrames::~X11WindowFrames() {
  if (probe_ != XCB_WINDOW_NONE && !connection_.broken()) {
    xcb_destroy_window(connection_.xcb(), probe_);
  }
}

X11WindowFrames::Placed X11WindowFrames::place(xcb_window_t window, const ClientGeometry& current,
                                               const std::vector<xcb_atom_t>& states,
                                               const MonitorRect& primary,
                                               const Placement& placement, X11WaitBudget& budget) {
  auto& ewmh = connection_.ewmh();

  // A maximized window would keep its maximized frame; it gives that up first.
  const bool maximizedVertically =
      std::find(states.begin(), states.end(), ewmh._NET_WM_STATE_MAXIMIZED_VERT) != states.end();
  const bool maximizedHorizontally =
      std::find(states.begin(), states.end(), ewmh._NET_WM_STATE_MAXIMIZED_HORZ) != states.end();
  const bool maximized = maximizedVertically || maximizedHorizontally;
  const bool probeAnswers = connection_.windowManagerSupports(ewmh._NET_REQUEST_FRAME_EXTENTS);
  // The window as the move will find it: the frame's decorations may differ.
  ClientGeometry found = current;
  if (maximized) {
    sendToRoot(connection_, window, ewmh._NET_WM_STATE,
               {removeState, ewmh._NET_WM_STATE_MAXIMIZED_VERT, ewmh._NET_WM_STATE_MAXIMIZED_HORZ,
                sourcePager >> 12, 0});
    // The window manager may give a maximized frame thinner decorations; the
    // size asked for must allow for the ones the window has once restored.
    if (probeAnswers && !budget.spent() && waitForProbe(budget.deadline())) {
      if (auto restored = requestClientGeometry(connection_, window)()) {
        found.extents = restored->extents;
      }
    }
  }
  const FrameExtents& extents = found.extents;

  const Rect outer = current.outer();
  const double x = placement.x ? *placement.x + primary.x : outer.x;
  const double y = placement.y ? *placement.y + primary.y : outer.y;
  const double outerWidth = placement.width.value_or(outer.width);
  const double outerHeight = placement.height.value_or(outer.height);
  const double decorationWidth = 2 * current.border + extents.left + extents.right;
  const double decorationHeight = 2 * current.border + extents.top + extents.bottom;
  const std::int32_t clientWidth = std::max(1, pixels(outerWidth - decorationWidth));
  const std::int32_t clientHeight = std::max(1, pixels(outerHeight - decorationHeight));

  const ClientFrame target{pixels(x) + static_cast<std::int32_t>(extents.left),
                           pixels(y) + static_cast<std::int32_t>(extents.top), clientWidth,
                           clientHeight};
  const ClientFrame now{static_cast<std::int32_t>(current.clientX - current.border),
                        static_cast<std::int32_t>(current.clientY - current.border),
                        static_cast<std::int32_t>(current.width),
                        static_cast<std::int32_t>(current.height)};

  // With the budget spent the move still goes out, to be handled whenever
  // the window manager gets to it, but nothing waits for it.
  const bool wait = !budget.spent();
  // A move that changes nothing is never answered. (Where the window was
  // maximized, it no longer is where it was read.)
  const bool probeOnly = probeAnswers && !maximized && target == now;
  // The answer is the window's ConfigureNotify: listen before asking.
  const bool listenHere = wait && !probeOnly && !watched_.listensTo(window);
  if (listenHere) selectStructureEvents(window, XCB_EVENT_MASK_STRUCTURE_NOTIFY);
  // A resize is answered by a real ConfigureNotify, which tells the place in
  // the frame only; the frame's own tells where the frame went.
  const bool resized = target.width != now.width || target.height != now.height;
  const bool framed = found.parent != XCB_WINDOW_NONE && found.parent != connection_.root();
  if (wait && !probeOnly && probeAnswers && resized && framed) listenToFrames();
  const unsigned int move = sendToRoot(
      connection_, window, ewmh._NET_MOVERESIZE_WINDOW,
      {northWestGravity | allFourFields | sourcePager, static_cast<std::uint32_t>(pixels(x)),
       static_cast<std::uint32_t>(pixels(y)), static_cast<std::uint32_t>(clientWidth),
       static_cast<std::uint32_t>(clientHeight)});
  if (!wait) {
    connection_.flush();
    return {};
  }
  Placed placed;
  if (probeOnly) {
    placed.answered = waitForProbe(budget.deadline());
    // Handled, and changing nothing: the window is where it was read.
    if (placed.answered) placed.geometry = found;
  } else if (!probeAnswers) {
    placed.answered =
        waitForConfigure(window, move, std::nullopt, found, budget.deadline()).configured ==
        Configured::asked;
  } else {
    const auto soon = std::min(budget.deadline(), X11WaitBudget::Clock::now() + unansweredMove);
    ConfigureAnswer answer = waitForConfigure(window, move, target, found, soon);
    placed.answered = answer.configured == Configured::asked || waitForProbe(budget.deadline());
    if (answer.configured == Configured::asked) placed.geometry = std::move(answer.geometry);
  }
  // Its later changes are no concern of this client.
  if (listenHere) selectStructureEvents(window, XCB_EVENT_MASK_NO_EVENT);
  return placed;
}

void X11WindowFrames::finishWork() {
  if (!listeningToFrames_) return;
  listeningToFrames_ = false;
  if (connection_.broken()) return;
  xcb_change_window_attributes(connection_.xcb(), connection_.root(), XCB_CW_EVENT_MASK,
                               &rootEventMask);
  connection_.flush();
}

void X11WindowFrames::listenToFrames() {
  if (listeningToFrames_) return;
  listeningToFrames_ = true;
  const std::uint32_t events = rootEventMask | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(connection_.xcb(), connection_.root(), XCB_CW_EVENT_MASK, &events);
}

void X11WindowFrames::selectStructureEvents(xcb_window_t window, std::uint32_t mask) {
  xcb_change_window_attributes(connection_.xcb(), window, XCB_CW_EVENT_MASK, &mask);
}

X11WindowFrames::ConfigureAnswer X11WindowFrames::waitForConfigure(
    xcb_window_t window, unsigned int move, const std::optional<ClientFrame>& target,
    const ClientGeometry& current, X11WaitBudget::Clock::time_point deadline) {
  const xcb_window_t root = connection_.root();
  std::optional<xcb_configure_notify_event_t> frame, client;
  bool synthetic = false;
  connection_.waitForEvent(
      [&](const xcb_generic_event_t& event) {
        if (eventType(event) != XCB_CONFIGURE_NOTIFY || !cameAfter(event, move)) return false;
        const auto& notify = reinterpret_cast<const xcb_configure_notify_event_t&>(event);
        const bool sent = (event.response_type & 0x80) != 0;
        // The parent's own, heard through the root: that it came that way
        // shows the parent is a frame on the root.
        if (notify.event == root && notify.window == current.parent && !sent) frame = notify;
        if (notify.window != window || notify.event != window) return false;
        client = notify;
        synthetic = sent;
        return true;
      },
      deadline);
  ConfigureAnswer answer;
  if (!client) return answer;
  // A real ConfigureNotify tells the place within the parent, a synthetic
  // one the place on the root.
  const bool asked =
      !target || (client->width == target->width && client->height == target->height &&
                  (!synthetic || (client->x == target->x && client->y == target->y)));
  answer.configured = asked ? Configured::asked : Configured::otherwise;
  if (!asked || !target) return answer;

  double parentX = 0, parentY = 0;  // the parent's inside corner on the root
  if (!synthetic && current.parent != root) {
    // The frame's answer comes first (the window manager moves its frame,
    // then the window in it). Without it, or when the frame heard is not
    // the window widened by its extents (an older change of the frame), the
    // frame is read back.
    if (!frame) return answer;
    const auto& extents = current.extents;
    const std::uint32_t frameWidth = frame->width + 2u * frame->border_width;
    const std::uint32_t frameHeight = frame->height + 2u * frame->border_width;
    if (frameWidth != client->width + 2u * client->border_width + extents.left + extents.right ||
        frameHeight != client->height + 2u * client->border_width + extents.top + extents.bottom) {
      return answer;
    }
    parentX = frame->x + frame->border_width;
    parentY = frame->y + frame->border_width;
  }
  ClientGeometry told = current;
  told.border = client->border_width;
  told.clientX = parentX + client->x + client->border_width;
  told.clientY = parentY + client->y + client->border_width;
  told.width = client->width;
  told.height = client->height;
  answer.geometry = told;
  return answer;
}

bool X11WindowFrames::waitForProbe(X11WaitBudget::Clock::time_point deadline) {
  xcb_connection_t* c = connection_.xcb();
  if (probe_ == XCB_WINDOW_NONE) {
    probe_ = xcb_generate_id(c);
    const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(c, XCB_COPY_FROM_PARENT, probe_, connection_.root(), -1, -1, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                      &events);
  }
  auto& ewmh = connection_.ewmh();
  sendToRoot(connection_, probe_, ewmh._NET_REQUEST_FRAME_EXTENTS, {0, 0, 0, 0, 0});
  const xcb_window_t probe = probe_;
  const xcb_atom_t extentsAtom = ewmh._NET_FRAME_EXTENTS;
  const bool answered = connection_.waitForEvent(
                            [probe, extentsAtom](const xcb_generic_event_t& event) {
                              if (eventType(event) != XCB_PROPERTY_NOTIFY) return false;
                              const auto& notify =
                                  reinterpret_cast<const xcb_property_notify_event_t&>(event);
                              return notify.window == probe && notify.atom == extentsAtom;
                            },
                            deadline) != nullptr;
  if (!answered) {
    // Its answer may still come: no later request may use this probe.
    xcb_destroy_window(c, probe_);
    probe_ = XCB_WINDOW_NONE;
  }
  return answered;
}

}  // namespace corvella::x11
