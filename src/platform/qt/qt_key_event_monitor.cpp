#include "platform/qt/qt_key_event_monitor.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <vector>

#include "platform/qt/key_translation.h"

namespace corvella::qt {

QtKeyEventMonitor::QtKeyEventMonitor() {
  QCoreApplication::instance()->installEventFilter(this);
}

QtKeyEventMonitor::~QtKeyEventMonitor() {
  monitors_.clear();
  updateGrab();
}

std::optional<MonitorHandle> QtKeyEventMonitor::addKeyDownMonitor(
    std::function<bool(const KeyEvent&)> handler) {
  const MonitorHandle handle = next_++;
  monitors_.emplace(handle, std::move(handler));
  updateGrab();
  return handle;
}

void QtKeyEventMonitor::removeMonitor(MonitorHandle handle) {
  monitors_.erase(handle);
  updateGrab();
}

void QtKeyEventMonitor::setGrabWindow(QWidget* window) {
  if (grabbing_ && grabWindow_) grabWindow_->releaseKeyboard();
  grabbing_ = false;
  grabWindow_ = window;
  updateGrab();
}

void QtKeyEventMonitor::updateGrab() {
  const bool wanted = !monitors_.empty() && grabWindow_ && grabWindow_->isVisible();
  if (wanted == grabbing_) return;
  grabbing_ = wanted;
  if (!grabWindow_) return;
  if (wanted) {
    grabWindow_->grabKeyboard();
  } else {
    grabWindow_->releaseKeyboard();
  }
}

bool QtKeyEventMonitor::deliver(const KeyEvent& key) {
  // A handler may remove monitors, its own included.
  std::vector<std::function<bool(const KeyEvent&)>> handlers;
  for (const auto& [handle, handler] : monitors_) handlers.push_back(handler);
  bool passOn = true;
  for (const auto& handler : handlers) passOn = handler(key) && passOn;
  if (afterEachEvent_) afterEachEvent_();
  return !passOn;
}

bool QtKeyEventMonitor::eventFilter(QObject* watched, QEvent* event) {
  if (watched == grabWindow_ && (event->type() == QEvent::Show || event->type() == QEvent::Hide)) {
    updateGrab();
    return false;
  }
  if (monitors_.empty()) return false;
  switch (event->type()) {
    case QEvent::ShortcutOverride:
      // Claimed, so that no shortcut of a window or menu takes the press
      // away from the monitors; the press itself follows as KeyPress.
      event->accept();
      return true;
    case QEvent::KeyPress: {
      const auto* press = static_cast<QKeyEvent*>(event);
      const std::optional<KeyEvent> key =
          keyDownFromQt(press->key(), press->nativeScanCode(), press->modifiers());
      if (!key) return false;  // a modifier alone, or a key without a code
      if (!deliver(*key)) return false;
      // Accepted, or Qt would offer the swallowed press to the parent widgets.
      event->accept();
      return true;
    }
    default:
      return false;
  }
}

}  // namespace corvella::qt
