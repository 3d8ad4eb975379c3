#include "core/app/app_delegate.h"

#include <string>

#include "core/actions/window_action.h"
#include "core/app/status_menu.h"
#include "core/grids/uuid.h"
#include "core/hotkeys/register_hot_keys.h"
#include "core/text/visible_text.h"

namespace corvella {

std::shared_ptr<AppDelegate> AppDelegate::create(CoreServices& services) {
  return std::make_shared<AppDelegate>(Passkey{}, services);
}

AppDelegate::AppDelegate(Passkey, CoreServices& services) : services_(services) {}

void AppDelegate::applicationDidFinishLaunching() {
  if (launched_) return;
  launched_ = true;
  const PlatformServices& platform = services_.platform();

  // The trigger outlives any delegate: it reaches only the services.
  CoreServices& services = services_;
  services_.hotKeyCenter().onTrigger = [&services](const HotKeyTarget& target) {
    if (auto action = target.actionValue()) {
      services.windowManager().perform(*action);
    } else if (auto id = target.gridID()) {
      if (auto layout = services.gridLayoutStore().layoutWithID(*id)) {
        services.windowManager().applyGrid(layout->columns, layout->rows);
      }
    }
  };

  const std::vector<HotKeyTarget> failures = registerHotKeys();

  std::weak_ptr<AppDelegate> weakSelf = weak_from_this();
  services_.gridLayoutStore().onChange = [weakSelf] {
    if (auto self = weakSelf.lock()) self->registerHotKeys();
  };

  const bool trusted = platform.accessibility.isProcessTrusted();
  services_.log().log(std::string("시작 — 권한=") + (trusted ? "true" : "false") +
                      " 단축키 실패=" + std::to_string(failures.size()));

  platform.applicationUI.createStatusItem(statusSymbolName, statusAccessibilityDescription);
  statusItemCreated_ = true;

  if (updater()) {
    services_.log().log("자동 업데이트 — 켜짐");
  } else if (feedConfigured_) {
    // A feed is set but the platform has no updater to run it.
    services_.log().log("자동 업데이트 — 꺼짐(업데이트 프레임워크 없음)");
  } else {
    services_.log().log("자동 업데이트 — 꺼짐(피드 주소 없음)");
  }

  if (!trusted) {
    platform.accessibility.isProcessTrustedWithPrompt();
    permissionPoll_.emplace(platform.accessibility, platform.mainQueue, services_.log());
    permissionPoll_->start();
  }
}

void AppDelegate::statusItemUnavailable() {
  if (statusItemUnavailableLogged_) return;
  statusItemUnavailableLogged_ = true;
  services_.log().log(
      "상태 항목 표시 불가 — 시스템 트레이 없음 (단축키는 그대로 동작, 설정 창: "
      "corvella --settings)");
}

std::vector<HotKeyTarget> AppDelegate::registerHotKeys() {
  refusedHotKeys_ = corvella::registerHotKeys(services_.hotKeyCenter(), services_.gridLayoutStore(),
                                              services_.log());
  return refusedHotKeys_;
}

std::function<void(bool)> AppDelegate::makeSetHotKeysPaused() {
  HotKeyCenter& center = services_.hotKeyCenter();
  std::weak_ptr<AppDelegate> weakSelf = weak_from_this();
  return [&center, weakSelf](bool paused) {
    if (paused) {
      center.unregisterAll();
    } else if (auto self = weakSelf.lock()) {
      self->registerHotKeys();
    }
  };
}

std::shared_ptr<UpdaterController> AppDelegate::updater() {
  if (!updater_) {
    Updater& port = services_.platform().updater;
    const std::string fromBundle = port.bundleInfoString(feedURLKey).value_or("");
    const std::string fromDefaults = services_.platform().defaults.string(feedURLKey).value_or("");
    feedConfigured_ = !fromBundle.empty() || !fromDefaults.empty();
    updater_ = feedConfigured_ ? port.makeStartedController() : nullptr;
  }
  return *updater_;
}

std::vector<MenuItem> AppDelegate::buildMenu() {
  const PlatformServices& platform = services_.platform();
  StatusMenuState state{.trusted = platform.accessibility.isProcessTrusted(),
                        .layouts = services_.gridLayoutStore().layouts(),
                        .hasUpdater = updater() != nullptr,
                        .loginStatus = platform.loginItem.status()};
  return buildStatusMenu(state, platform.localizer, platform.keyboardLayout);
}

bool AppDelegate::performMenuItem(const MenuItem& item) {
  if (item.kind != MenuItemKind::item) return false;
  switch (item.action) {
    case MenuAction::openAccessibilitySettings:
      openAccessibilitySettings();
      return true;
    case MenuAction::runAction:
      runAction(item.representedObject);
      return true;
    case MenuAction::runGrid:
      runGrid(item.representedObject);
      return true;
    case MenuAction::checkForUpdates:
      if (auto controller = updater()) controller->checkForUpdates();
      return true;
    case MenuAction::openSettings:
      openSettings();
      return true;
    case MenuAction::toggleLogin:
      toggleLogin();
      return true;
    case MenuAction::none:
    case MenuAction::terminate:
    case MenuAction::performClose:
    case MenuAction::cut:
    case MenuAction::copy:
    case MenuAction::paste:
    case MenuAction::selectAll:
      return false;
  }
  return false;
}

void AppDelegate::runAction(const std::optional<std::string>& representedObject) {
  if (!representedObject) return;
  if (auto action = windowActionFromRawValue(*representedObject)) {
    services_.windowManager().perform(*action);
  }
}

void AppDelegate::runGrid(const std::optional<std::string>& representedObject) {
  if (!representedObject) return;
  auto id = UUID::parse(*representedObject);
  if (!id) return;
  if (auto layout = services_.gridLayoutStore().layoutWithID(*id)) {
    services_.windowManager().applyGrid(layout->columns, layout->rows);
  }
}

void AppDelegate::openAccessibilitySettings() {
  const PlatformServices& platform = services_.platform();
  platform.accessibility.isProcessTrustedWithPrompt();
  platform.workspace.openAccessibilitySettings();
}

void AppDelegate::toggleLogin() {
  LoginItem& loginItem = services_.platform().loginItem;
  const std::optional<std::string> error = loginItem.status() == LoginItemStatus::enabled
                                               ? loginItem.unregisterApp()
                                               : loginItem.registerApp();
  if (error) {
    // The platform's error text may name paths with any character in them.
    services_.log().log("로그인 항목 변경 실패: " + visibleText(*error));
    services_.platform().sound.beep();
  }
}

void AppDelegate::openSettings() {
  if (!settingsWindow_) {
    const PlatformServices& platform = services_.platform();
    SettingsWindowDependencies dependencies{
        .windowUI = platform.settingsWindowUI,
        .applicationUI = platform.applicationUI,
        .localizer = platform.localizer,
        .defaults = platform.defaults,
        .grids = GridSettingsDependencies{.store = services_.gridLayoutStore(),
                                          .localizer = platform.localizer,
                                          .log = services_.log(),
                                          .monitor = platform.keyEventMonitor,
                                          .keyboardLayout = platform.keyboardLayout}};
    settingsWindow_.emplace(dependencies, makeSetHotKeysPaused());
  }
  settingsWindow_->open();
}

}  // namespace corvella
