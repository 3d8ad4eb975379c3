// QtKeyEventMonitor: the KeyEventMonitor port over Qt. While a monitor is
// installed every key press of the application goes to it first (an event
// filter on the application), translated to virtual key codes, and the
// window that records holds the keyboard grab, so that combinations another
// program has bound globally still reach it. The grab goes with the last
// monitor, and while that window is hidden.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>

#include "core/ports/key_event_monitor.h"

namespace corvella::qt {

class QtKeyEventMonitor final : public QObject, public KeyEventMonitor {
  Q_OBJECT

 public:
  QtKeyEventMonitor();
  ~QtKeyEventMonitor() override;

  std::optional<MonitorHandle> addKeyDownMonitor(
      std::function<bool(const KeyEvent&)> handler) override;
  void removeMonitor(MonitorHandle handle) override;

  // The window that takes the keyboard while a monitor is installed.
  void setGrabWindow(QWidget* window);
  // Runs after every key press handed to the monitors (views redraw).
  void setAfterEachEvent(std::function<void()> afterEachEvent) {
    afterEachEvent_ = std::move(afterEachEvent);
  }
  bool isGrabbing() const { return grabbing_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Grabs while monitors exist and the window is shown; releases otherwise.
  void updateGrab();
  // Whether the monitors swallowed the press.
  bool deliver(const KeyEvent& key);

  std::map<MonitorHandle, std::function<bool(const KeyEvent&)>> monitors_;
  MonitorHandle next_ = 1;
  QPointer<QWidget> grabWindow_;
  bool grabbing_ = false;
  std::function<void()> afterEachEvent_;
};

}  // namespace corvella::qt
