// X11WorkCache: what the ports have read from the server during one piece of
// main-loop work (one action, one tiling), so that the many attribute reads
// of one operation ask the server once per window, and the work's budget for
// waiting on the window manager. It is emptied, and the budget renewed,
// after every posted work item and timer tick, and a window's geometry is
// forgotten the moment it is placed, so nothing read here outlives the
// operation that read it or hides the effect of its own writes.
//
// The requests about a window go out before their answers are wanted, so
// that the requests about many windows share one round trip: the active
// window's geometry and states as soon as it is known (a shortcut moves it;
// X11WatchedWindow often knows them already),
// every candidate's kind, states and geometry with an application's window
// list, a placed window's title with its move, and its geometry right after
// the window manager has handled the placement, unless the answer told it.
#pragma once

#include <xcb/xcb.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/x11/x11_applications.h"
#include "platform/x11/x11_connection.h"
#include "platform/x11/x11_desktop_state.h"
#include "platform/x11/x11_wait_budget.h"
#include "platform/x11/x11_watched_window.h"
#include "platform/x11/x11_window_frames.h"
#include "platform/x11/x11_window_properties.h"

namespace corvella::x11 {

// The kind and the _NET_WM_STATE of a window.
struct WindowFacts {
  WindowKind kind;
  std::vector<xcb_atom_t> states;
};

class X11WorkCache {
 public:
  X11WorkCache(X11Connection& connection, X11DesktopState& desktop, X11WatchedWindow& watched)
      : connection_(connection), desktop_(desktop), watched_(watched) {}

  std::optional<xcb_window_t> activeWindow();
  // The application the window belongs to; absent when the window is gone.
  std::optional<ApplicationKey> applicationKey(xcb_window_t window) {
    return desktop_.applicationKey(window);
  }
  std::vector<std::optional<ApplicationKey>> applicationKeys(
      const std::vector<xcb_window_t>& windows) {
    return desktop_.applicationKeys(windows);
  }
  // Its kind and states; absent when the window is gone.
  std::optional<WindowFacts> facts(xcb_window_t window);
  // Its geometry now; absent when the window is gone.
  std::optional<ClientGeometry> geometry(xcb_window_t window);
  std::optional<std::vector<xcb_atom_t>> states(xcb_window_t window);
  std::optional<std::string> title(xcb_window_t window);

  // Asks now about the windows an application's list gives: they are about
  // to be examined one after the other.
  void requestCandidates(const std::vector<xcb_window_t>& windows);
  // Asks for the title now, to be collected later.
  void requestTitle(xcb_window_t window);
  // The window has been placed: its geometry is the one the window manager's
  // answer told, or asked again.
  void placed(xcb_window_t window, const std::optional<ClientGeometry>& told);

  // Activation ends what assumeActiveWindow() said; the server's own answer
  // changes once the window manager has activated the window.
  void forgetActiveWindow() { assumedActive_.reset(); }
  // Until the next clear() or activation, activeWindow() gives this one.
  void assumeActiveWindow(std::optional<xcb_window_t> window) { assumedActive_ = window; }

  X11WaitBudget& budget() { return budget_; }
  // A window placed in this work whose placement the window manager has not
  // handled within the budget: its frame cannot be known before it does.
  void markUnsettled(xcb_window_t window) { unsettled_.insert(window); }
  bool unsettled(xcb_window_t window) const { return unsettled_.contains(window); }

  void clear();

 private:
  // A value asked for once, its answer collected when first wanted.
  template <typename T>
  struct Pending {
    std::optional<Answer<T>> answer;
    std::optional<T> value;
    std::uint64_t requestedAt = 0;  // the watched window's epoch when asked

    // True when the request went out now.
    bool request(const std::function<Answer<T>()>& send) {
      if (answer || value) return false;
      answer.emplace(send());
      return true;
    }
    // A value known without asking, unless it was asked for already.
    void know(const T& known) {
      if (!answer && !value) value = known;
    }
    // The answer to a request already sent.
    const T& collect() {
      if (!value) {
        value = (*answer)();
        answer.reset();
      }
      return *value;
    }
    const T& get(const std::function<Answer<T>()>& send) {
      request(send);
      return collect();
    }
  };
  struct WindowEntry {
    Pending<std::optional<WindowKind>> kind;
    Pending<std::optional<std::vector<xcb_atom_t>>> states;
    Pending<std::optional<ClientGeometry>> geometry;
    Pending<std::optional<std::string>> title;
  };

  void requestKind(xcb_window_t window);
  void requestStates(xcb_window_t window);
  void requestGeometry(xcb_window_t window);

  X11Connection& connection_;
  X11DesktopState& desktop_;
  X11WatchedWindow& watched_;
  std::optional<std::optional<xcb_window_t>> assumedActive_;
  std::map<xcb_window_t, WindowEntry> windows_;
  X11WaitBudget budget_;
  std::set<xcb_window_t> unsettled_;
};

}  // namespace corvella::x11
