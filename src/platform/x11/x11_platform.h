// X11Platform: every port of the Linux/X11 shell, built over one connection,
// and the PlatformServices bundle that hands them to the core.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "core/app/platform_services.h"
#include "platform/x11/x11_accessibility.h"
#include "platform/x11/x11_connection.h"
#include "platform/x11/x11_desktop_state.h"
#include "platform/x11/x11_hot_key_service.h"
#include "platform/x11/x11_keyboard.h"
#include "platform/x11/x11_keyboard_layout.h"
#include "platform/x11/x11_main_loop.h"
#include "platform/x11/x11_poll_loop.h"
#include "platform/x11/x11_quiet_ports.h"
#include "platform/x11/x11_screens.h"
#include "platform/x11/x11_sound.h"
#include "platform/x11/x11_window_frames.h"
#include "platform/x11/x11_workspace.h"
#include "platform/xdg/locale_localizer.h"
#include "platform/xdg/xdg_autostart_entry.h"
#include "platform/xdg/xdg_defaults_file.h"
#include "platform/xdg/xdg_log_location.h"

namespace corvella::x11 {

class X11Platform {
 public:
  // Builds the main loop over the connection; X11PollLoop when none is given.
  using LoopFactory = std::function<std::unique_ptr<X11MainLoop>(X11Connection&)>;

  // Absent, with the reason in *error, when the display cannot be used.
  static std::unique_ptr<X11Platform> open(const std::string& display,
                                           const std::filesystem::path& program, std::string* error,
                                           const LoopFactory& makeLoop = {});

  PlatformServices services();
  X11Connection& connection() { return *connection_; }
  X11MainLoop& mainLoop() { return *mainLoop_; }

  // The window that has the focus at this moment, read from the server (a
  // menu records it as it opens, before it takes the pointer).
  std::optional<xcb_window_t> focusedWindowNow();
  // For the rest of the piece of work that runs now, the focused window is
  // this one, whatever the server says: a menu's choice acts on the window
  // focused when the menu opened.
  void actOnFocusedWindow(std::optional<xcb_window_t> window) { cache_.assumeActiveWindow(window); }
  // Ends a piece of work done outside the loop (by a test or the latency
  // harness): what it read from the server is not trusted any longer.
  void finishWork() {
    cache_.clear();
    frames_.finishWork();
  }
  // Where the defaults file reports a problem (the core's log, once it exists).
  void setReporter(std::function<void(const std::string&)> reporter) {
    reporter_ = std::move(reporter);
  }

 private:
  X11Platform(std::unique_ptr<X11Connection> connection, std::unique_ptr<X11Keyboard> keyboard,
              const std::filesystem::path& program, const LoopFactory& makeLoop);

  std::unique_ptr<X11Connection> connection_;
  std::unique_ptr<X11Keyboard> keyboard_;
  std::function<void(const std::string&)> reporter_;
  std::unique_ptr<X11MainLoop> mainLoop_;
  X11DesktopState desktop_;
  X11WatchedWindow watched_;
  X11WindowFrames frames_;
  X11WorkCache cache_;
  X11Applications applications_;
  X11Accessibility accessibility_;
  X11Workspace workspace_;
  X11Screens screens_;
  X11Sound sound_;
  SystemClock clock_;
  xdg::XdgLogLocation logLocation_;
  X11HotKeyService hotKeyService_;
  X11KeyboardLayout keyboardLayout_;
  xdg::XdgDefaultsFile defaults_;
  xdg::XdgAutostartEntry loginItem_;
  NoUpdater updater_;
  xdg::LocaleLocalizer localizer_ = xdg::LocaleLocalizer::forProcess();
  QuietKeyEventMonitor keyEventMonitor_;
  QuietApplicationUI applicationUI_;
  QuietSettingsWindowUI settingsWindowUI_;
};

}  // namespace corvella::x11
