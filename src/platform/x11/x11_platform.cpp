#include "platform/x11/x11_platform.h"

#include "platform/x11/x11_window_properties.h"

namespace corvella::x11 {

std::unique_ptr<X11Platform> X11Platform::open(const std::string& display,
                                               const std::filesystem::path& program,
                                               std::string* error, const LoopFactory& makeLoop) {
  auto connection = X11Connection::open(display, error);
  if (!connection) return nullptr;
  auto keyboard = X11Keyboard::create(*connection, error);
  if (!keyboard) return nullptr;
  return std::unique_ptr<X11Platform>(
      new X11Platform(std::move(connection), std::move(keyboard), program, makeLoop));
}

X11Platform::X11Platform(std::unique_ptr<X11Connection> connection,
                         std::unique_ptr<X11Keyboard> keyboard,
                         const std::filesystem::path& program, const LoopFactory& makeLoop)
    : connection_(std::move(connection)),
      keyboard_(std::move(keyboard)),
      mainLoop_(makeLoop ? makeLoop(*connection_) : std::make_unique<X11PollLoop>(*connection_)),
      desktop_(*connection_),
      watched_(*connection_),
      frames_(*connection_, watched_),
      cache_(*connection_, desktop_, watched_),
      accessibility_(*connection_, frames_, cache_, desktop_, applications_, *mainLoop_),
      workspace_(cache_, applications_),
      screens_(desktop_),
      sound_(*connection_),
      hotKeyService_(*connection_, *keyboard_),
      keyboardLayout_(*keyboard_),
      defaults_(xdg::XdgDefaultsFile::defaultFile(xdg::processEnvironment),
                [this](const std::string& message) {
                  if (reporter_) reporter_(message);
                }),
      loginItem_(xdg::XdgAutostartEntry::defaultEntry(xdg::processEnvironment), program) {
  mainLoop_->addWorkEndedHandler([this] { finishWork(); });
  mainLoop_->addEventHandler([this](const xcb_generic_event_t& event) {
    if (keyboard_->handleEvent(event)) return;
    hotKeyService_.handleEvent(event);
  });
}

std::optional<xcb_window_t> X11Platform::focusedWindowNow() {
  return activeWindow(*connection_);
}

PlatformServices X11Platform::services() {
  return PlatformServices{accessibility_, workspace_,       screens_,       sound_,
                          clock_,         logLocation_,     hotKeyService_, keyboardLayout_,
                          defaults_,      *mainLoop_,       loginItem_,     updater_,
                          localizer_,     keyEventMonitor_, applicationUI_, settingsWindowUI_};
}

}  // namespace corvella::x11
