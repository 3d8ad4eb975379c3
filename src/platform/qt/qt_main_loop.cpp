#include "platform/qt/qt_main_loop.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <cmath>

#include "platform/x11/timer_interval.h"

namespace corvella::qt {

QtMainLoop::QtMainLoop(x11::X11Connection& connection) : X11MainLoop(connection) {
  connectionNotifier_ = std::make_unique<QSocketNotifier>(connection.fileDescriptor(),
                                                          QSocketNotifier::Read, &context_);
  QObject::connect(connectionNotifier_.get(), &QSocketNotifier::activated, &context_,
                   [this] { serviceConnection(); });
  // A reply waited for can leave events read into XCB's queue with nothing
  // left on the socket to wake the notifier: they are handed out, and the
  // requests made meanwhile sent, before every sleep.
  QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                   &context_, [this] {
                     if (lost_) return;
                     this->connection().flush();
                     serviceConnection();
                   });
}

QtMainLoop::~QtMainLoop() = default;

void QtMainLoop::serviceConnection() {
  if (lost_) return;
  dispatchEvents();
  if (!connection().broken()) return;
  lost_ = true;
  connectionNotifier_->setEnabled(false);  // the descriptor stays readable at its end
  QCoreApplication::exit(1);
}

void QtMainLoop::post(std::function<void()> work) {
  QMetaObject::invokeMethod(
      &context_,
      [this, work = std::move(work)] {
        work();
        endWork();
      },
      Qt::QueuedConnection);
}

TimerID QtMainLoop::scheduleRepeating(double intervalSeconds, std::function<void()> tick) {
  const double milliseconds = x11::timerInterval(intervalSeconds).count() * 1000;
  auto timer = std::make_unique<QTimer>(&context_);
  timer->setInterval(std::max(1, static_cast<int>(std::lround(milliseconds))));
  const TimerID id = nextTimer_++;
  QObject::connect(timer.get(), &QTimer::timeout, &context_, [this, tick = std::move(tick)] {
    tick();  // may invalidate its own timer, which then goes after this call
    endWork();
  });
  timer->start();
  timers_.emplace(id, std::move(timer));
  return id;
}

void QtMainLoop::invalidate(TimerID timer) {
  auto found = timers_.find(timer);
  if (found == timers_.end()) return;
  found->second->stop();
  found->second.release()->deleteLater();
  timers_.erase(found);
}

void QtMainLoop::watch(int fileDescriptor, std::function<void()> readable) {
  auto notifier =
      std::make_unique<QSocketNotifier>(fileDescriptor, QSocketNotifier::Read, &context_);
  QObject::connect(notifier.get(), &QSocketNotifier::activated, &context_,
                   [readable = std::move(readable)] { readable(); });
  watched_.push_back(std::move(notifier));
}

QtMainLoop::Exit QtMainLoop::run() {
  if (lost_ || connection().broken()) return Exit::connectionLost;
  connection().flush();
  serviceConnection();
  if (!lost_) QCoreApplication::exec();
  return lost_ ? Exit::connectionLost : Exit::stopped;
}

void QtMainLoop::stop() {
  QCoreApplication::exit(0);
}

}  // namespace corvella::qt
