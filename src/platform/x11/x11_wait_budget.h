// X11WaitBudget: how long one piece of main-loop work (one action, one
// tiling, one undo) may wait, in all, for the window manager's answers. The
// budget starts with the first wait and is shared by every window the work
// places. Once it is spent, placements are still sent but not waited for,
// so a window manager that has stopped answering holds a shortcut up for
// this long at most, however many windows the shortcut moves.
#pragma once

#include <chrono>
#include <optional>

namespace corvella::x11 {

class X11WaitBudget {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr std::chrono::milliseconds perWork{500};

  explicit X11WaitBudget(Clock::duration budget = perWork) : budget_(budget) {}

  // When the waiting must be over; the first call of a piece of work starts
  // the budget.
  Clock::time_point deadline() {
    if (!deadline_) deadline_ = Clock::now() + budget_;
    return *deadline_;
  }
  bool spent() const { return deadline_ && Clock::now() >= *deadline_; }
  // The next piece of work gets the whole budget again.
  void renew() { deadline_.reset(); }

 private:
  Clock::duration budget_;
  std::optional<Clock::time_point> deadline_;
};

}  // namespace corvella::x11
