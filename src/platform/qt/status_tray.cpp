#include "platform/qt/status_tray.h"

#include <QCursor>

#include "platform/qt/drawn_icons.h"

namespace corvella::qt {

StatusTray::StatusTray(StatusMenuSource source, std::function<void()> unavailable, Retry retry)
    : source_(std::move(source)), unavailable_(std::move(unavailable)), retry_(retry) {
  connect(&menu_, &QMenu::aboutToShow, this, &StatusTray::rebuild);
  icon_.setContextMenu(&menu_);
  // Any click opens the menu, as on macOS; a second one soon after the last
  // (a double click to the tray) too.
  connect(&icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason why) {
    const bool click = why == QSystemTrayIcon::Trigger || why == QSystemTrayIcon::DoubleClick ||
                       why == QSystemTrayIcon::MiddleClick;
    if (click && !menu_.isVisible()) menu_.popup(QCursor::pos());
  });
  retryTimer_.setInterval(retry_.intervalMilliseconds);
  connect(&retryTimer_, &QTimer::timeout, this, &StatusTray::lookForTray);
}

void StatusTray::show(const std::string& symbolName, const std::string& accessibilityDescription) {
  icon_.setIcon(statusIcon(symbolName));
  icon_.setToolTip(QString::fromStdString(accessibilityDescription));
  icon_.show();
  if (QSystemTrayIcon::isSystemTrayAvailable()) return;
  attemptsLeft_ = retry_.attempts;
  retryTimer_.start();
}

void StatusTray::lookForTray() {
  if (QSystemTrayIcon::isSystemTrayAvailable()) {
    retryTimer_.stop();
    return;
  }
  if (--attemptsLeft_ > 0) return;
  retryTimer_.stop();
  if (unavailable_) unavailable_();
}

void StatusTray::rebuild() {
  fillMenu(menu_, source_.buildMenu ? source_.buildMenu() : std::vector<MenuItem>{}, source_);
}

}  // namespace corvella::qt
