// DesktopShell: Corvella as a Linux desktop application. Qt's event loop runs
// the X11 shell's loop; the status item sits in the system tray with the
// core's menu, and the settings window edits the grid layouts. main() makes
// it first, builds the X11 platform over its loop and the application over
// its ports, then attaches the two:
//
//   corvella::qt::DesktopShell desktop(argc, argv);
//   auto platform = X11Platform::open("", program, &error, desktop.loopFactory());
//   corvella::Corvella app(desktop.services(platform->services()));
//   auto attached = desktop.attach(app, *platform);   // detaches when it goes
//
// This header needs no Qt header.
#pragma once

#include <functional>
#include <memory>

#include "core/app/corvella.h"
#include "platform/x11/x11_platform.h"

namespace corvella::qt {

class DesktopShell {
 public:
  // Makes the Qt application; Qt takes its own options out of argv.
  DesktopShell(int& argc, char** argv);
  ~DesktopShell();
  DesktopShell(const DesktopShell&) = delete;
  DesktopShell& operator=(const DesktopShell&) = delete;

  // The X11 shell's main loop, run by Qt's.
  x11::X11Platform::LoopFactory loopFactory();
  // The X11 platform's ports with the desktop's user interface (tray, settings
  // window, key capture) in place of the quiet ones.
  PlatformServices services(const PlatformServices& x11Services);
  // Draws the application's menu and settings; menu choices run on the loop,
  // on the window that had the focus when the menu opened. Until the returned
  // object goes, which must be before the application and the platform do:
  // the settings window goes with it.
  class Attachment {
   public:
    explicit Attachment(DesktopShell& shell) : shell_(shell) {}
    ~Attachment() { shell_.detach(); }
    Attachment(const Attachment&) = delete;
    Attachment& operator=(const Attachment&) = delete;

   private:
    DesktopShell& shell_;
  };
  [[nodiscard]] std::unique_ptr<Attachment> attach(Corvella& app, x11::X11Platform& platform);

  // Opens the settings window on the loop's next turn: `corvella --settings`,
  // and a running instance asked for its settings.
  void openSettings();

  // Qt ends the process by itself when its own X connection is lost first;
  // report then runs on the way out, while attached.
  void reportConnectionLossAtExit(std::function<void()> report);

 private:
  void detach();

  struct Parts;
  std::unique_ptr<Parts> parts_;
};

}  // namespace corvella::qt
