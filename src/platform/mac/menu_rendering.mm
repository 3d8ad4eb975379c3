#include "platform/mac/menu_rendering.h"

#include "platform/mac/cf_strings.h"

namespace corvella::mac {

NSMenuItem* makeMenuItem(const MenuItem& item, id target, NSInteger tag) {
  switch (item.kind) {
    case MenuItemKind::separator:
      return NSMenuItem.separatorItem;
    case MenuItemKind::sectionHeader:
      return [NSMenuItem sectionHeaderWithTitle:toNSString(item.title)];
    case MenuItemKind::item:
      break;
  }
  const std::string_view selector = selectorName(item.action);
  NSMenuItem* menuItem = [[NSMenuItem alloc]
      initWithTitle:toNSString(item.title)
             action:selector.empty() ? nil : NSSelectorFromString(toNSString(selector))
      keyEquivalent:@""];
  if (item.target != MenuTarget::none) menuItem.target = target;
  if (item.representedObject) menuItem.representedObject = toNSString(*item.representedObject);
  if (!item.keyEquivalent.empty()) {
    menuItem.keyEquivalent = toNSString(item.keyEquivalent);
    menuItem.keyEquivalentModifierMask =
        static_cast<NSEventModifierFlags>(item.keyEquivalentModifierMask);
  }
  menuItem.state = item.state == MenuItemState::on ? NSControlStateValueOn : NSControlStateValueOff;
  menuItem.tag = tag;
  return menuItem;
}

NSMenu* makeMainMenu(const std::vector<MainMenuEntry>& entries) {
  NSMenu* mainMenu = [[NSMenu alloc] init];
  for (const MainMenuEntry& entry : entries) {
    NSMenuItem* topItem = [[NSMenuItem alloc] init];
    NSMenu* submenu = [[NSMenu alloc] initWithTitle:toNSString(entry.submenuTitle)];
    for (const MenuItem& item : entry.items) {
      [submenu addItem:makeMenuItem(item, nil, 0)];
    }
    topItem.submenu = submenu;
    [mainMenu addItem:topItem];
  }
  return mainMenu;
}

}  // namespace corvella::mac
