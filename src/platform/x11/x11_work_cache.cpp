#include "platform/x11/x11_work_cache.h"

namespace corvella::x11 {

void X11WorkCache::requestKind(xcb_window_t window) {
  windows_[window].kind.request([&] { return requestWindowKind(connection_, window); });
}

void X11WorkCache::requestStates(xcb_window_t window) {
  auto& states = windows_[window].states;
  const std::uint64_t epoch = watched_.statesEpoch();
  if (states.request([&] { return requestWindowStates(connection_, window); })) {
    states.requestedAt = epoch;
  }
}

void X11WorkCache::requestGeometry(xcb_window_t window) {
  auto& geometry = windows_[window].geometry;
  const std::uint64_t epoch = watched_.geometryEpoch();
  if (geometry.request([&] { return requestClientGeometry(connection_, window); })) {
    geometry.requestedAt = epoch;
  }
}

std::optional<xcb_window_t> X11WorkCache::activeWindow() {
  if (assumedActive_) return *assumedActive_;
  const std::optional<xcb_window_t> active = desktop_.activeWindow();
  if (active) {
    watched_.watch(*active);
    WindowEntry& entry = windows_[*active];
    if (auto known = watched_.geometry(*active)) entry.geometry.know(known);
    if (auto known = watched_.states(*active)) entry.states.know(known);
    // A shortcut moves this window: what is not known shares the first round trip.
    requestGeometry(*active);
    requestStates(*active);
  }
  return active;
}

std::optional<WindowFacts> X11WorkCache::facts(xcb_window_t window) {
  requestStates(window);  // both answers in one round trip
  const auto kind =
      windows_[window].kind.get([&] { return requestWindowKind(connection_, window); });
  const auto states = this->states(window);
  if (!kind || !states) return std::nullopt;
  return WindowFacts{*kind, *states};
}

std::optional<ClientGeometry> X11WorkCache::geometry(xcb_window_t window) {
  requestGeometry(window);
  auto& geometry = windows_[window].geometry;
  const bool fresh = !geometry.value;
  const auto& value = geometry.collect();
  if (fresh) watched_.rememberGeometry(window, geometry.requestedAt, value);
  return value;
}

std::optional<std::vector<xcb_atom_t>> X11WorkCache::states(xcb_window_t window) {
  requestStates(window);
  auto& states = windows_[window].states;
  const bool fresh = !states.value;
  const auto& value = states.collect();
  if (fresh) watched_.rememberStates(window, states.requestedAt, value);
  return value;
}

std::optional<std::string> X11WorkCache::title(xcb_window_t window) {
  return windows_[window].title.get([&] { return requestWindowTitle(connection_, window); });
}

void X11WorkCache::requestCandidates(const std::vector<xcb_window_t>& windows) {
  for (xcb_window_t window : windows) {
    requestKind(window);
    requestStates(window);
    requestGeometry(window);
  }
}

void X11WorkCache::requestTitle(xcb_window_t window) {
  windows_[window].title.request([&] { return requestWindowTitle(connection_, window); });
}

void X11WorkCache::placed(xcb_window_t window, const std::optional<ClientGeometry>& told) {
  auto& geometry = windows_[window].geometry;
  geometry = {};
  if (!told) {
    requestGeometry(window);
    return;
  }
  geometry.know(told);
  // Every event that arrived with the answer has been seen: what comes later
  // forgets it.
  watched_.rememberGeometry(window, watched_.geometryEpoch(), told);
}

void X11WorkCache::clear() {
  assumedActive_.reset();
  windows_.clear();
  budget_.renew();
  unsettled_.clear();
}

}  // namespace corvella::x11
