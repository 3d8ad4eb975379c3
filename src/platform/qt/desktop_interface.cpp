#include "platform/qt/desktop_interface.h"

#include "core/hotkeys/linux_shortcut_text.h"

namespace corvella::qt {

DesktopInterface::DesktopInterface(StatusTray::Retry retry)
    : tray_(
          StatusMenuSource{
              .buildMenu = [this] { return buildMenu(); },
              .spellHotKey =
                  [this](const Shortcut& shortcut) {
                    return app_ ? linuxShortcutText(shortcut,
                                                    app_->services().platform().keyboardLayout)
                                : std::string();
                  },
              .choose = [this](const MenuItem& item) { choose(item); },
          },
          [this] {
            if (app_) app_->delegate().statusItemUnavailable();
          },
          retry),
      applicationUI_(tray_) {}

DesktopInterface::~DesktopInterface() {
  detach();
}

PlatformServices DesktopInterface::services(const PlatformServices& base) {
  return replacingPorts(base, {.keyEventMonitor = &keyEventMonitor_,
                               .applicationUI = &applicationUI_,
                               .settingsWindowUI = &settingsWindowUI_});
}

void DesktopInterface::attach(Corvella& app, Surroundings surroundings) {
  app_ = &app;
  surroundings_.emplace(std::move(surroundings));
  settingsWindowUI_.setContentFactory([this]() -> std::unique_ptr<QWidget> {
    SettingsWindow* window = app_ ? app_->delegate().settingsWindow() : nullptr;
    if (!window) return nullptr;
    auto content =
        std::make_unique<SettingsViewWidget>(window->view(), app_->services().gridLayoutStore());
    settingsContent_ = content.get();
    return content;
  });
  settingsWindowUI_.setWindowCreated(
      [this](QWidget& window) { keyEventMonitor_.setGrabWindow(&window); });
  keyEventMonitor_.setAfterEachEvent([this] {
    if (settingsContent_) settingsContent_->refresh();
  });
}

void DesktopInterface::detach() {
  tray_.menu().close();
  keyEventMonitor_.setGrabWindow(nullptr);
  keyEventMonitor_.setAfterEachEvent(nullptr);
  settingsWindowUI_.destroyWindow();
  app_ = nullptr;
  surroundings_.reset();
  actOnRememberedFocus_ = nullptr;
}

void DesktopInterface::openSettings() {
  if (!app_ || !surroundings_) return;
  surroundings_->mainQueue.post([this] {
    if (app_) app_->delegate().openSettings();
  });
}

std::vector<MenuItem> DesktopInterface::buildMenu() {
  if (!app_ || !surroundings_) return {};
  // Before the menu takes the pointer: the window its choice acts on.
  if (surroundings_->rememberFocus) actOnRememberedFocus_ = surroundings_->rememberFocus();
  return app_->delegate().buildMenu();
}

void DesktopInterface::choose(const MenuItem& item) {
  if (!app_ || !surroundings_) return;
  surroundings_->mainQueue.post([this, item, actOnFocus = actOnRememberedFocus_] {
    if (!app_ || !surroundings_) return;
    if (actOnFocus) actOnFocus();
    if (!app_->delegate().performMenuItem(item) && item.action == MenuAction::terminate &&
        surroundings_->quit) {
      surroundings_->quit();
    }
  });
}

}  // namespace corvella::qt
