// X11Connection: the one connection to the X server, its EWMH atoms and the
// stream of events shared by the main loop and by operations that wait for
// the window manager's answer.
//
// An operation that waits takes the events it waits for and keeps every other
// event, in order, for the main loop. X errors of requests nobody checks
// arrive here as events too; they are dropped, never fatal. Every event is
// shown to the observers the moment it is read off the connection, so that
// what is remembered about the desktop is forgotten as soon as it changes,
// even while the event waits for the main loop.
#pragma once

#include <xcb/xcb.h>
#include <xcb/xcb_ewmh.h>
#include <xcb/xcbext.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvella::x11 {

struct FreeDeleter {
  void operator()(void* pointer) const { std::free(pointer); }
};
using EventPtr = std::unique_ptr<xcb_generic_event_t, FreeDeleter>;
template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, FreeDeleter>;

// What this client always hears from the root: its properties (the active
// window, the client list, the work area) and its size.
constexpr std::uint32_t rootEventMask =
    XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;

// The type of an event without the bit that marks events sent by clients.
inline std::uint8_t eventType(const xcb_generic_event_t& event) {
  return event.response_type & 0x7f;
}

class X11Connection {
 public:
  // Connects to the display (the environment's DISPLAY when empty). Absent,
  // with the reason in *error, when the server cannot be reached.
  static std::unique_ptr<X11Connection> open(const std::string& display, std::string* error);
  ~X11Connection();
  X11Connection(const X11Connection&) = delete;
  X11Connection& operator=(const X11Connection&) = delete;

  xcb_connection_t* xcb() const { return connection_; }
  xcb_ewmh_connection_t& ewmh() { return ewmh_; }
  xcb_window_t root() const { return screen_->root; }
  const xcb_screen_t& screen() const { return *screen_; }
  int fileDescriptor() const { return xcb_get_file_descriptor(connection_); }
  bool broken() const { return xcb_connection_has_error(connection_) != 0; }
  std::uint8_t randrFirstEvent() const { return randrFirstEvent_; }

  // Whether the window manager lists the atom in _NET_SUPPORTED (read once).
  bool windowManagerSupports(xcb_atom_t atom);

  using EventObserver = std::function<void(const xcb_generic_event_t&)>;
  void addEventObserver(EventObserver observer) { observers_.push_back(std::move(observer)); }
  // Reads every event the server has already sent, without waiting, and
  // keeps them for nextEvent(): the observers then know all of them. Within
  // half a millisecond of the last such read, only what is read already.
  void readArrivedEvents();

  // The next event: first those kept back by waiting operations, then what
  // the server has sent. Never blocks.
  EventPtr nextEvent();
  // Waits until an event satisfies the predicate or the deadline passes.
  // Events that do not satisfy it are kept for nextEvent(). Absent on time-out
  // or a broken connection. Counts as a round trip: it waits for an answer.
  EventPtr waitForEvent(const std::function<bool(const xcb_generic_event_t&)>& wanted,
                        std::chrono::steady_clock::time_point deadline);
  // A round trip: every request sent before has been processed by the server.
  void sync();

  // The reply to a request, absent on an X error (a vanished window, ...).
  // Counts a round trip when the reply has not arrived yet and must be
  // waited for, unless the request went out with one already waited for.
  template <typename Reply, typename Cookie>
  ReplyPtr<Reply> reply(Reply* (*fetch)(xcb_connection_t*, Cookie, xcb_generic_error_t**),
                        Cookie cookie) {
    void* ready = nullptr;
    xcb_generic_error_t* error = nullptr;
    if (xcb_poll_for_reply(connection_, cookie.sequence, &ready, &error)) {
      std::free(error);
      return ReplyPtr<Reply>(static_cast<Reply*>(ready));
    }
    countWaitFor(cookie.sequence);
    Reply* answer = fetch(connection_, cookie, &error);
    std::free(error);
    return ReplyPtr<Reply>(answer);
  }
  // Waits for the server's verdict on a checked request; absent when it succeeded.
  ReplyPtr<xcb_generic_error_t> check(xcb_void_cookie_t cookie);

  // Counters for the latency harness: round trips waited for, and the
  // sequence number the next request will get.
  std::uint64_t roundTrips() const { return roundTrips_; }
  // A request sent now whose reply is collected later: a wait that comes
  // before it is collected brings its reply along, in the same round trip.
  void noteSent(unsigned int sequence) { newestSent_ = std::max(newestSent_, sequence); }
  std::uint64_t nextSequence();
  void flush() { xcb_flush(connection_); }

 private:
  X11Connection() = default;

  xcb_connection_t* connection_ = nullptr;
  xcb_ewmh_connection_t ewmh_{};
  bool ewmhReady_ = false;
  const xcb_screen_t* screen_ = nullptr;
  std::uint8_t randrFirstEvent_ = 0;
  std::deque<EventPtr> keptEvents_;
  static constexpr std::chrono::microseconds socketReadStretch{500};
  std::chrono::steady_clock::time_point lastSocketRead_;
  // The event, once every observer has seen it.
  EventPtr observed(xcb_generic_event_t* raw);
  EventPtr pollEvent();
  // An event already read from the socket, without reading more.
  EventPtr queuedEvent();
  void countWaitFor(unsigned int sequence);

  std::optional<std::vector<xcb_atom_t>> supported_;
  std::vector<EventObserver> observers_;
  std::uint64_t roundTrips_ = 0;
  unsigned int newestSent_ = 0;
  unsigned int covered_ = 0;  // replies up to this one come with a counted wait
};

}  // namespace corvella::x11
