// QtMainLoop: the X11 shell's main loop inside Qt's event loop, so that the
// tray icon, the settings window and the shortcuts share one thread. The X
// connection's descriptor and every watched one are socket notifiers; events
// that XCB has already read off the socket (while waiting for a reply) are
// handed out before the loop sleeps; posted work is a queued call and timers
// are QTimers. A lost X connection ends the loop once.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "platform/x11/x11_main_loop.h"

namespace corvella::qt {

class QtMainLoop final : public x11::X11MainLoop {
 public:
  // Needs the application object (QCoreApplication or QApplication) to exist.
  explicit QtMainLoop(x11::X11Connection& connection);
  ~QtMainLoop() override;

  void post(std::function<void()> work) override;
  TimerID scheduleRepeating(double intervalSeconds, std::function<void()> tick) override;
  void invalidate(TimerID timer) override;
  void watch(int fileDescriptor, std::function<void()> readable) override;
  Exit run() override;
  void stop() override;

 private:
  // Hands out what the connection holds; ends the loop when it is lost.
  void serviceConnection();

  // Owns the notifiers, timers and queued calls: all go with the loop.
  QObject context_;
  std::unique_ptr<QSocketNotifier> connectionNotifier_;
  std::vector<std::unique_ptr<QSocketNotifier>> watched_;
  std::map<TimerID, std::unique_ptr<QTimer>> timers_;
  TimerID nextTimer_ = 1;
  bool lost_ = false;
};

}  // namespace corvella::qt
