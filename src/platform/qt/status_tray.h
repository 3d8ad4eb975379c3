// StatusTray: the status item in the system tray (a StatusNotifierItem where
// the desktop hosts them, an XEmbed icon otherwise) and its menu, rebuilt
// from the core's list each time it is about to open. A click opens the menu
// as on macOS. With no tray on the screen it looks again a few times (a panel
// may still be starting), then reports it once; the icon still appears if a
// tray turns up later, and comes back when a tray restarts.
#pragma once

#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>
#include <QTimer>
#include <functional>
#include <string>

#include "platform/qt/status_menu_view.h"

namespace corvella::qt {

class StatusTray final : public QObject {
  Q_OBJECT

 public:
  struct Retry {
    int attempts = 5;
    int intervalMilliseconds = 2000;
  };

  StatusTray(StatusMenuSource source, std::function<void()> unavailable, Retry retry);

  void show(const std::string& symbolName, const std::string& accessibilityDescription);
  QMenu& menu() { return menu_; }
  QSystemTrayIcon& icon() { return icon_; }

 private:
  void rebuild();
  void lookForTray();

  StatusMenuSource source_;
  std::function<void()> unavailable_;
  Retry retry_;
  int attemptsLeft_ = 0;
  QMenu menu_;
  QSystemTrayIcon icon_;
  QTimer retryTimer_;
};

}  // namespace corvella::qt
