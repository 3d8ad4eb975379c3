#include "platform/x11/x11_work_cache.h"

namespace corvella::x11 {

std::optional<xcb_window_t> X11WorkCache::activeWindow() {
  if (!active_) active_ = x11::activeWindow(connection_);
  return *active_;
}

std::optional<ApplicationKey> X11WorkCache::applicationKey(xcb_window_t window) {
  auto known = applications_.find(window);
  if (known == applications_.end()) {
    known = applications_.emplace(window, applicationKeysOf(connection_, {window}).front()).first;
  }
  return known->second;
}

std::optional<WindowFacts> X11WorkCache::facts(xcb_window_t window) {
  auto known = facts_.find(window);
  if (known == facts_.end()) known = facts_.emplace(window, windowFacts(connection_, window)).first;
  return known->second;
}

std::optional<Rect> X11WorkCache::frame(xcb_window_t window) const {
  auto known = frames_.find(window);
  if (known == frames_.end()) return std::nullopt;
  return known->second;
}

void X11WorkCache::clear() {
  active_.reset();
  applications_.clear();
  facts_.clear();
  frames_.clear();
  budget_.renew();
  unsettled_.clear();
}

}  // namespace corvella::x11
