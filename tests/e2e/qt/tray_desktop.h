// TrayDesktop: a system tray (tint2) on an XSession's desktop, and a user's hand on it
// (XTEST). The session's waits wake on what its connection sees: the tray's owner, icons
// docking, and the focused window losing the keyboard to the menu's grab and back.
#pragma once

#include "x_session.h"

namespace corvella::e2e {

class TrayDesktop {
 public:
  explicit TrayDesktop(XSession& session);
  ~TrayDesktop() { session_.onEvent = nullptr; }

  // Starts the tray host and waits until it owns the tray.
  bool startHost();
  // Ends it and waits until the tray has no owner.
  bool stopHost();
  // corvella's icon, docked in the tray and shown; waits for it.
  std::optional<xcb_window_t> waitForIcon(pid_t corvella);
  // Clicks the session's corvella's icon, waits until the menu holds the keyboard, goes
  // down that many items (up when negative), presses Return and waits until it lets go.
  bool choose(int steps);

  // Waits until the file exists and holds the part, or (without one) until it
  // no longer exists, waking on changes in its folder.
  bool waitForFile(const std::filesystem::path& file,
                   const std::optional<std::string>& part = std::nullopt);

 private:
  // Notes the menu's grab as the focused window sees it.
  void noteFocus(const xcb_generic_event_t& event);
  xcb_window_t trayOwner();

  XSession& session_;
  xcb_connection_t* const connection_;
  const xcb_window_t root_;
  std::unique_ptr<ChildProcess> host_;
  // The window that had the keyboard when the menu opened; whether the menu holds it now.
  xcb_window_t focused_ = XCB_WINDOW_NONE;
  bool grabbed_ = false;
};

}  // namespace corvella::e2e
