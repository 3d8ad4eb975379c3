#include "platform/x11/x11_connection.h"

#include <poll.h>
#include <xcb/randr.h>

#include <algorithm>

namespace corvella::x11 {

std::unique_ptr<X11Connection> X11Connection::open(const std::string& display, std::string* error) {
  std::unique_ptr<X11Connection> self(new X11Connection());
  int screenNumber = 0;
  self->connection_ = xcb_connect(display.empty() ? nullptr : display.c_str(), &screenNumber);
  if (xcb_connection_has_error(self->connection_)) {
    if (error) *error = "cannot connect to the X display";
    return nullptr;
  }
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(self->connection_));
  for (int i = 0; i < screenNumber && screens.rem; ++i) xcb_screen_next(&screens);
  if (!screens.rem) {
    if (error) *error = "the X display has no such screen";
    return nullptr;
  }
  self->screen_ = screens.data;

  xcb_intern_atom_cookie_t* cookies = xcb_ewmh_init_atoms(self->connection_, &self->ewmh_);
  if (!cookies || !xcb_ewmh_init_atoms_replies(&self->ewmh_, cookies, nullptr)) {
    if (error) *error = "cannot intern the EWMH atoms";
    return nullptr;
  }
  self->ewmhReady_ = true;

  const xcb_query_extension_reply_t* randr =
      xcb_get_extension_data(self->connection_, &xcb_randr_id);
  if (!randr || !randr->present) {
    if (error) *error = "the X server lacks the RandR extension";
    return nullptr;
  }
  self->randrFirstEvent_ = randr->first_event;

  self->sync();
  if (self->broken()) {
    if (error) *error = "the X connection broke during set-up";
    return nullptr;
  }
  return self;
}

X11Connection::~X11Connection() {
  if (ewmhReady_) xcb_ewmh_connection_wipe(&ewmh_);
  if (connection_) xcb_disconnect(connection_);
}

bool X11Connection::windowManagerSupports(xcb_atom_t atom) {
  if (!supported_) {
    // Asked again while no window manager has published the list yet.
    auto list = reply(
        xcb_get_property_reply,
        xcb_get_property(connection_, 0, root(), ewmh_._NET_SUPPORTED, XCB_ATOM_ATOM, 0, 4096));
    if (!list || list->format != 32 || list->type != XCB_ATOM_ATOM) return false;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(list.get()));
    supported_.emplace(atoms, atoms + xcb_get_property_value_length(list.get()) / 4);
  }
  return std::find(supported_->begin(), supported_->end(), atom) != supported_->end();
}

EventPtr X11Connection::observed(xcb_generic_event_t* raw) {
  EventPtr event(raw);
  if (event) {
    for (const auto& observer : observers_) observer(*event);
  }
  return event;
}

EventPtr X11Connection::pollEvent() {
  return observed(xcb_poll_for_event(connection_));
}

void X11Connection::readArrivedEvents() {
  // The events sent before the input that started this work came before it
  // on the socket and are known already. What arrives while the work runs is
  // read at most once in a short stretch, not at every look at what is known:
  // each read is a system call on the way from a key press to its move.
  const auto now = std::chrono::steady_clock::now();
  const bool readLately = now - lastSocketRead_ < socketReadStretch;
  if (!readLately) lastSocketRead_ = now;
  while (EventPtr event = readLately ? queuedEvent() : pollEvent()) {
    keptEvents_.push_back(std::move(event));
  }
}

EventPtr X11Connection::queuedEvent() {
  return observed(xcb_poll_for_queued_event(connection_));
}

EventPtr X11Connection::nextEvent() {
  if (!keptEvents_.empty()) {
    EventPtr event = std::move(keptEvents_.front());
    keptEvents_.pop_front();
    return event;
  }
  return pollEvent();
}

EventPtr X11Connection::waitForEvent(const std::function<bool(const xcb_generic_event_t&)>& wanted,
                                     std::chrono::steady_clock::time_point deadline) {
  xcb_flush(connection_);
  ++roundTrips_;
  covered_ = newestSent_;
  while (!broken()) {
    // Everything already read from the socket first; poll() only tells about
    // bytes still unread.
    while (EventPtr event = pollEvent()) {
      if (wanted(*event)) return event;
      keptEvents_.push_back(std::move(event));
    }
    const auto now = std::chrono::steady_clock::now();
    if (now >= deadline) return nullptr;
    const auto remaining = std::chrono::ceil<std::chrono::milliseconds>(deadline - now).count();
    pollfd descriptor{fileDescriptor(), POLLIN, 0};
    ::poll(&descriptor, 1, static_cast<int>(std::min<long long>(remaining, 1000)));
  }
  return nullptr;
}

void X11Connection::sync() {
  reply(xcb_get_input_focus_reply, xcb_get_input_focus(connection_));
}

void X11Connection::countWaitFor(unsigned int sequence) {
  if (sequence <= covered_) return;
  ++roundTrips_;
  covered_ = std::max(newestSent_, sequence);
}

ReplyPtr<xcb_generic_error_t> X11Connection::check(xcb_void_cookie_t cookie) {
  countWaitFor(cookie.sequence);
  return ReplyPtr<xcb_generic_error_t>(xcb_request_check(connection_, cookie));
}

std::uint64_t X11Connection::nextSequence() {
  // A request that does nothing tells the number it was given.
  return xcb_no_operation(connection_).sequence + 1;
}

}  // namespace corvella::x11
