// X11WorkCache: what the ports have read from the server during one piece of
// main-loop work (one action, one tiling), so that the many attribute reads
// of one operation ask the server once per window, and the work's budget for
// waiting on the window manager. It is emptied, and the budget renewed,
// after every posted work item and timer tick, and a window's frame is
// forgotten the moment it is placed, so nothing read here outlives the
// operation that read it or hides the effect of its own writes.
#pragma once

#include <xcb/xcb.h>

#include <map>
#include <optional>
#include <set>

#include "core/actions/rect.h"
#include "platform/x11/x11_applications.h"
#include "platform/x11/x11_connection.h"
#include "platform/x11/x11_wait_budget.h"
#include "platform/x11/x11_window_properties.h"

namespace corvella::x11 {

class X11WorkCache {
 public:
  explicit X11WorkCache(X11Connection& connection) : connection_(connection) {}

  std::optional<xcb_window_t> activeWindow();
  // The application the window belongs to; absent when the window is gone.
  std::optional<ApplicationKey> applicationKey(xcb_window_t window);
  // Its kind and states; absent when the window is gone.
  std::optional<WindowFacts> facts(xcb_window_t window);

  std::optional<Rect> frame(xcb_window_t window) const;
  void rememberFrame(xcb_window_t window, const Rect& frame) { frames_[window] = frame; }
  void forgetFrame(xcb_window_t window) { frames_.erase(window); }
  // Activation changes the active window.
  void forgetActiveWindow() { active_.reset(); }
  // Until the next clear() or activation, activeWindow() gives this one.
  void assumeActiveWindow(std::optional<xcb_window_t> window) { active_ = window; }

  X11WaitBudget& budget() { return budget_; }
  // A window placed in this work whose placement the window manager has not
  // handled within the budget: its frame cannot be known before it does.
  void markUnsettled(xcb_window_t window) { unsettled_.insert(window); }
  bool unsettled(xcb_window_t window) const { return unsettled_.contains(window); }

  void clear();

 private:
  X11Connection& connection_;
  std::optional<std::optional<xcb_window_t>> active_;
  std::map<xcb_window_t, std::optional<ApplicationKey>> applications_;
  std::map<xcb_window_t, std::optional<WindowFacts>> facts_;
  std::map<xcb_window_t, Rect> frames_;
  X11WaitBudget budget_;
  std::set<xcb_window_t> unsettled_;
};

}  // namespace corvella::x11
