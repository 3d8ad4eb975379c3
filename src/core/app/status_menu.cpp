#include "core/app/status_menu.h"

#include <initializer_list>

#include "core/actions/window_action.h"
#include "core/hotkeys/default_shortcuts.h"
#include "core/hotkeys/shortcut.h"
#include "core/ports/localizer.h"

namespace corvella {
namespace {

class MenuBuilder {
 public:
  MenuBuilder(Localizer& localizer, KeyboardLayout& keyboardLayout)
      : localizer_(localizer), keyboardLayout_(keyboardLayout) {}

  void add(MenuItem item) { items_.push_back(std::move(item)); }
  void addSeparator() { items_.push_back(MenuItem::separator()); }

  MenuItem delegateItem(std::string_view englishTitle, MenuAction action) {
    return MenuItem{.title = localizer_.localized(englishTitle),
                    .action = action,
                    .target = MenuTarget::delegate};
  }

  void setShortcut(MenuItem& item, const Shortcut& shortcut) {
    item.keyEquivalent = keyEquivalent(shortcut, keyboardLayout_);
    item.keyEquivalentModifierMask = shortcut.modifiers;
    item.hotKey = shortcut;
  }

  // One item per action, then a separator.
  void addActionItems(std::initializer_list<WindowAction> actions) {
    for (WindowAction action : actions) {
      MenuItem item{.title = title(action, localizer_),
                    .action = MenuAction::runAction,
                    .target = MenuTarget::delegate,
                    .representedObject = std::string(rawValue(action))};
      if (auto shortcut = defaultShortcut(action)) setShortcut(item, *shortcut);
      add(std::move(item));
    }
    addSeparator();
  }

  void addGridItems(std::span<const GridLayout> layouts) {
    for (const GridLayout& layout : layouts) {
      MenuItem item{.title = displayName(layout, localizer_),
                    .action = MenuAction::runGrid,
                    .target = MenuTarget::delegate,
                    .representedObject = layout.id.uuidString()};
      if (layout.shortcut) setShortcut(item, *layout.shortcut);
      add(std::move(item));
    }
  }

  std::vector<MenuItem> take() { return std::move(items_); }

 private:
  Localizer& localizer_;
  KeyboardLayout& keyboardLayout_;
  std::vector<MenuItem> items_;
};

}  // namespace

std::vector<MenuItem> buildStatusMenu(const StatusMenuState& state, Localizer& localizer,
                                      KeyboardLayout& keyboardLayout) {
  using enum WindowAction;
  MenuBuilder menu(localizer, keyboardLayout);

  // Both titles lead to the same action: allowed or not, the pane opens.
  menu.add(
      menu.delegateItem(state.trusted ? "Accessibility: Allowed" : "Allow Accessibility Access…",
                        MenuAction::openAccessibilitySettings));
  menu.addSeparator();

  menu.addActionItems({leftHalf, rightHalf, topHalf, bottomHalf});
  menu.addActionItems({upperLeft, upperRight, lowerLeft, lowerRight});
  menu.addActionItems({previousThird, nextThird});
  menu.addActionItems({tileAppColumns, tileAppRows});

  menu.add(MenuItem::sectionHeader(localizer.localized("App Window Grids")));
  menu.addGridItems(state.layouts);
  menu.addSeparator();

  menu.addActionItems({maximize, center, larger, smaller});
  menu.addActionItems({previousDisplay, nextDisplay});
  menu.addActionItems({undo, redo});

  if (state.hasUpdater) {
    menu.add(MenuItem{.title = localizer.localized("Check for Updates…"),
                      .action = MenuAction::checkForUpdates,
                      .target = MenuTarget::updater});
  }
  MenuItem settings = menu.delegateItem("Settings…", MenuAction::openSettings);
  settings.keyEquivalent = ",";
  settings.keyEquivalentModifierMask = commandKeyMask;
  menu.add(std::move(settings));

  MenuItem login = menu.delegateItem("Launch at Login", MenuAction::toggleLogin);
  login.state =
      state.loginStatus == LoginItemStatus::enabled ? MenuItemState::on : MenuItemState::off;
  menu.add(std::move(login));
  menu.addSeparator();

  // No target, so that it reaches the application object.
  menu.add(MenuItem{.title = localizer.localized("Quit Corvella"),
                    .action = MenuAction::terminate,
                    .keyEquivalent = "q",
                    .keyEquivalentModifierMask = commandKeyMask});
  return menu.take();
}

}  // namespace corvella
