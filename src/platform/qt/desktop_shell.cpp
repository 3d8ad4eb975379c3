#include "platform/qt/desktop_shell.h"

#include <QApplication>
#include <cstdlib>

#include "platform/qt/desktop_interface.h"
#include "platform/qt/qt_main_loop.h"

namespace corvella::qt {
namespace {

// What runs if the process ends inside Qt's event loop. std::atexit takes a
// plain function, so this one pointer is the bridge to it; the shell arms it
// while attached.
std::function<void()>* exitReport = nullptr;

void runExitReport() {
  if (exitReport && *exitReport) (*exitReport)();
}

}  // namespace

struct DesktopShell::Parts {
  Parts(int& argc, char** argv) : application(argc, argv) {}
  QApplication application;
  DesktopInterface interface;
  std::function<void()> exitReport;
};

DesktopShell::DesktopShell(int& argc, char** argv) : parts_(std::make_unique<Parts>(argc, argv)) {
  // The tray and the hot keys keep the application; windows come and go.
  QApplication::setQuitOnLastWindowClosed(false);
}

DesktopShell::~DesktopShell() {
  detach();
}

x11::X11Platform::LoopFactory DesktopShell::loopFactory() {
  return [](x11::X11Connection& connection) { return std::make_unique<QtMainLoop>(connection); };
}

PlatformServices DesktopShell::services(const PlatformServices& x11Services) {
  return parts_->interface.services(x11Services);
}

std::unique_ptr<DesktopShell::Attachment> DesktopShell::attach(Corvella& app,
                                                               x11::X11Platform& platform) {
  parts_->interface.attach(
      app, DesktopInterface::Surroundings{
               .mainQueue = platform.mainLoop(),
               .rememberFocus = [&platform]() -> std::function<void()> {
                 const std::optional<xcb_window_t> window = platform.focusedWindowNow();
                 return [&platform, window] { platform.actOnFocusedWindow(window); };
               },
               .quit = [&platform] { platform.mainLoop().stop(); },
           });
  return std::make_unique<Attachment>(*this);
}

void DesktopShell::detach() {
  if (exitReport == &parts_->exitReport) exitReport = nullptr;
  parts_->exitReport = nullptr;
  parts_->interface.detach();
}

void DesktopShell::openSettings() {
  parts_->interface.openSettings();
}

void DesktopShell::reportConnectionLossAtExit(std::function<void()> report) {
  static const bool registered = std::atexit(runExitReport) == 0;
  (void)registered;
  parts_->exitReport = std::move(report);
  exitReport = &parts_->exitReport;
}

}  // namespace corvella::qt

#if defined(__SANITIZE_ADDRESS__)
// The leak checker's list of what not to report. Qt asks the session bus
// whether a tray host is registered; the D-Bus library keeps an allocation of
// that for the life of the process, which is not ours to free.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libdbus-1.so\n";
}
#endif
