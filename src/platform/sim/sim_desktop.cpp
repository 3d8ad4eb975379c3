#include "platform/sim/sim_desktop.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/sim/sim_screen_arrangements.h"

namespace corvella::sim {

namespace {

// A test that names an application or window the desktop never had is
// itself broken; stop it loudly rather than hand out a dangling reference.
[[noreturn]] void unknown(const char* what, long long id) {
  std::fprintf(stderr, "SimDesktop: unknown %s %lld\n", what, id);
  std::abort();
}

}  // namespace

SimDesktop::SimDesktop() : screens_(singleScreen()) {}

SimApplication& SimDesktop::addApplication(ProcessID pid, std::optional<std::string> localizedName,
                                           std::optional<bool> enhancedUserInterface) {
  if (SimApplication* existing = findApplication(pid)) {
    for (SimWindowId id : std::vector<SimWindowId>(existing->windows)) closeWindow(id);
  }
  SimApplication app;
  app.pid = pid;
  app.localizedName = std::move(localizedName);
  app.enhancedUserInterface = enhancedUserInterface;
  return applications_[pid] = std::move(app);
}

SimWindowId SimDesktop::addWindow(ProcessID pid, const SimWindowSpec& spec) {
  SimApplication& app = application(pid);
  SimWindow window;
  window.id = nextWindowId_++;
  window.pid = pid;
  window.frame = spec.frame;
  window.title = spec.title;
  window.role = spec.role;
  window.subrole = spec.subrole;
  window.minimized = spec.minimized;
  window.fullScreen = spec.fullScreen;
  app.windows.push_back(window.id);
  if (!app.focusedWindow) app.focusedWindow = window.id;
  const SimWindowId id = window.id;
  windows_[id] = std::move(window);
  return id;
}

SimWindowId SimDesktop::addWindow(ProcessID pid, const Rect& frame, std::string title) {
  SimWindowSpec spec;
  spec.frame = frame;
  spec.title = std::move(title);
  return addWindow(pid, spec);
}

void SimDesktop::quitApplication(ProcessID pid) {
  SimApplication& app = application(pid);
  for (SimWindowId id : std::vector<SimWindowId>(app.windows)) closeWindow(id);
  app.running = false;
  if (frontmost_ == pid) frontmost_.reset();
}

SimApplication* SimDesktop::findApplication(ProcessID pid) {
  auto found = applications_.find(pid);
  return found == applications_.end() ? nullptr : &found->second;
}

SimWindow* SimDesktop::findWindow(SimWindowId id) {
  auto found = windows_.find(id);
  return found == windows_.end() ? nullptr : &found->second;
}

SimApplication& SimDesktop::application(ProcessID pid) {
  SimApplication* app = findApplication(pid);
  if (!app) unknown("application", pid);
  return *app;
}

const SimApplication& SimDesktop::application(ProcessID pid) const {
  return const_cast<SimDesktop*>(this)->application(pid);
}

bool SimDesktop::hasApplication(ProcessID pid) const {
  return applications_.contains(pid);
}

SimWindow& SimDesktop::window(SimWindowId id) {
  SimWindow* window = findWindow(id);
  if (!window) unknown("window", id);
  return *window;
}

const SimWindow& SimDesktop::window(SimWindowId id) const {
  return const_cast<SimDesktop*>(this)->window(id);
}

bool SimDesktop::hasWindow(SimWindowId id) const {
  return windows_.contains(id);
}

void SimDesktop::closeWindow(SimWindowId id) {
  SimWindow& closing = window(id);
  if (!closing.open) return;
  closing.open = false;
  if (SimApplication* app = findApplication(closing.pid)) {
    std::erase(app->windows, id);
    if (app->focusedWindow == id) app->focusedWindow.reset();
  }
  std::erase_if(pendingCloses_, [id](const auto& pending) { return pending.first == id; });
}

void SimDesktop::closeWindowAfterCalls(SimWindowId id, int n) {
  if (n <= 0) {
    closeWindow(id);
    return;
  }
  pendingCloses_.emplace_back(id, n);
}

void SimDesktop::setBeforeAccessibilityCall(std::function<void(const SimCall&)> hook) {
  beforeCall_ = std::move(hook);
}

void SimDesktop::setFocusedWindow(ProcessID pid, std::optional<SimWindowId> id) {
  application(pid).focusedWindow = id;
}

void SimDesktop::bringToFront(SimWindowId id) {
  SimWindow& raised = window(id);
  if (!raised.open) return;
  SimApplication& app = application(raised.pid);
  std::erase(app.windows, id);
  app.windows.insert(app.windows.begin(), id);
}

void SimDesktop::makeUnreadable(SimWindowId id, std::string_view attribute) {
  window(id).overrides.insert_or_assign(std::string(attribute), std::nullopt);
}

void SimDesktop::setAttributeOverride(SimWindowId id, std::string_view attribute,
                                      AttributeValue value) {
  window(id).overrides.insert_or_assign(std::string(attribute), std::move(value));
}

void SimDesktop::clearOverrides(SimWindowId id) {
  window(id).overrides.clear();
}

std::optional<SimWindowId> SimDesktop::windowIdOf(const ElementRef& element) const {
  const SimElement* sim = asSimElement(element);
  if (!sim || sim->kind() != SimElement::Kind::window) return std::nullopt;
  return sim->windowId();
}

void SimDesktop::setFrontmostApplication(std::optional<ProcessID> pid) {
  frontmost_ = pid;
}

std::vector<std::string> SimDesktop::callTexts() const {
  std::vector<std::string> texts;
  texts.reserve(calls_.size());
  for (const SimCall& call : calls_) texts.push_back(call.text());
  return texts;
}

std::vector<std::string> SimDesktop::callTexts(std::initializer_list<SimPort> ports) const {
  std::vector<std::string> texts;
  for (const SimCall& call : calls_) {
    if (std::find(ports.begin(), ports.end(), call.port) != ports.end()) {
      texts.push_back(call.text());
    }
  }
  return texts;
}

std::vector<std::string> SimDesktop::callTextsWithInterfaceState(
    std::initializer_list<SimPort> ports) const {
  std::vector<std::string> texts;
  for (const SimCall& call : calls_) {
    if (std::find(ports.begin(), ports.end(), call.port) != ports.end()) {
      texts.push_back(call.textWithInterfaceState());
    }
  }
  return texts;
}

std::size_t SimDesktop::callCount(SimPort port) const {
  auto found = callCounts_.find(port);
  return found == callCounts_.end() ? 0 : found->second;
}

void SimDesktop::clearCalls() {
  calls_.clear();
  callCounts_.clear();
  callCount_ = 0;
}

void SimDesktop::record(SimCall call) {
  ++callCount_;
  ++callCounts_[call.port];
  if (recording_) calls_.push_back(std::move(call));
}

void SimDesktop::beforeAccessibilityCall(const SimCall& call) {
  // Calls the hook itself makes do not run it again.
  if (insideHook_ || !beforeCall_) return;
  insideHook_ = true;
  // A copy, so that a hook may replace itself while it runs.
  auto hook = beforeCall_;
  hook(call);
  insideHook_ = false;
}

void SimDesktop::afterAccessibilityCall() {
  std::vector<SimWindowId> due;
  for (auto& [id, remaining] : pendingCloses_) {
    if (--remaining == 0) due.push_back(id);
  }
  for (SimWindowId id : due) closeWindow(id);
}

}  // namespace corvella::sim
