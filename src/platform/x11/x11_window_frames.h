// X11WindowFrames: a client's outer frame (its geometry widened by the
// window manager's _NET_FRAME_EXTENTS), read and placed in core space.
//
// Placing goes through _NET_MOVERESIZE_WINDOW so the window manager applies
// its own rules (minimum sizes, resize increments). It answers
// asynchronously, so a placement waits for the window manager to have
// handled it before anyone reads the frame back. Its answer is the window's
// ConfigureNotify, real when the size changed, synthetic when only the place
// did; one that shows the frame asked for ends the wait. A synthetic one tells
// the whole frame; a real one only the size and the place within the window
// manager's frame, whose own ConfigureNotify (heard through the root while
// placements run) then tells where that frame went. A placement whose answer
// tells the whole frame needs no read-back. Any other answer, or
// none soon (a move that changes nothing is never answered), is settled by a
// _NET_REQUEST_FRAME_EXTENTS about an unmapped window of ours (the probe): it
// comes back as a property change only after the window manager has
// processed the move, as it handles its messages in order. The probe is not
// sent behind every move: the window manager would handle it before showing
// the moved frame, which costs more than the move itself. It serves
// placement after placement; one whose answer did not come in time is
// destroyed and the next placement makes a new one, so a late answer can
// never be taken for the answer to a later request. Where the window manager
// lacks that request, the first ConfigureNotify of the window is the
// answer. Every wait is bounded.
#pragma once

#include <xcb/xcb.h>

#include <chrono>
#include <optional>

#include "core/actions/rect.h"
#include "platform/x11/screen_areas.h"
#include "platform/x11/x11_connection.h"
#include "platform/x11/x11_wait_budget.h"
#include "platform/x11/x11_window_properties.h"

namespace corvella::x11 {

class X11WatchedWindow;

// What one placement asks for; a missing half keeps the window's current one.
struct Placement {
  std::optional<double> x, y;
  std::optional<double> width, height;
};

// Where a client window is and what surrounds it, in root space.
struct ClientGeometry {
  double clientX = 0, clientY = 0;  // inside its border
  double width = 0, height = 0;
  double border = 0;
  FrameExtents extents;
  // The window holding it: the root, or the window manager's frame; none
  // when unknown.
  xcb_window_t parent = XCB_WINDOW_NONE;

  Rect outer() const;
  // The outer frame with the primary monitor's top-left as the origin.
  Rect outerInCoreSpace(const MonitorRect& primary) const;
};

// Geometry, position on the root, frame extents and parent: four requests
// sent now.
// Absent when the window is gone.
Answer<std::optional<ClientGeometry>> requestClientGeometry(X11Connection& connection,
                                                            xcb_window_t window);

class X11WindowFrames {
 public:
  X11WindowFrames(X11Connection& connection, const X11WatchedWindow& watched)
      : connection_(connection), watched_(watched) {}
  ~X11WindowFrames();
  X11WindowFrames(const X11WindowFrames&) = delete;
  X11WindowFrames& operator=(const X11WindowFrames&) = delete;

  struct Placed {
    // False when the placement was sent but the window manager has not
    // handled it yet.
    bool answered = false;
    // The window's geometry as the answer told it, when it told all of it.
    std::optional<ClientGeometry> geometry;
  };

  // Asks for the placement (core space, from the window's current geometry
  // and _NET_WM_STATE) and returns once the window manager has answered, or
  // at once when the budget is spent.
  Placed place(xcb_window_t window, const ClientGeometry& current,
               const std::vector<xcb_atom_t>& states, const MonitorRect& primary,
               const Placement& placement, X11WaitBudget& budget);
  // The piece of work that placed windows is over: the root's frames are no
  // longer listened to.
  void finishWork();

 private:
  // A client window's place and size as its ConfigureNotify tells them.
  struct ClientFrame {
    std::int32_t x = 0, y = 0, width = 0, height = 0;
    friend bool operator==(const ClientFrame&, const ClientFrame&) = default;
  };
  enum class Configured { notYet, asked, otherwise };
  struct ConfigureAnswer {
    Configured configured = Configured::notYet;
    std::optional<ClientGeometry> geometry;  // when the events told all of it
  };

  // How long a move may go unanswered before the probe asks whether it was
  // handled: a window manager answers a move within a millisecond or two.
  static constexpr std::chrono::milliseconds unansweredMove{10};

  void selectStructureEvents(xcb_window_t window, std::uint32_t mask);
  // Hears the ConfigureNotify of every frame the window manager keeps on the
  // root, for the rest of the piece of work.
  void listenToFrames();
  // The first ConfigureNotify of the window caused by the move, compared with
  // the target when one is given. `current` gives what a ConfigureNotify does
  // not tell (the window's parent, the extents the move found).
  ConfigureAnswer waitForConfigure(xcb_window_t window, unsigned int move,
                                   const std::optional<ClientFrame>& target,
                                   const ClientGeometry& current,
                                   X11WaitBudget::Clock::time_point deadline);
  bool waitForProbe(X11WaitBudget::Clock::time_point deadline);

  X11Connection& connection_;
  const X11WatchedWindow& watched_;
  xcb_window_t probe_ = XCB_WINDOW_NONE;
  bool listeningToFrames_ = false;
};

}  // namespace corvella::x11
