#include "platform/mac/status_menu_controller.h"

#include "platform/mac/cf_strings.h"
#include "platform/mac/menu_rendering.h"

@implementation CorvellaStatusMenuController {
  corvella::mac::StatusMenuSource _source;
  // The descriptions behind the items on show, by tag.
  std::vector<corvella::MenuItem> _items;
}

- (instancetype)initWithSource:(corvella::mac::StatusMenuSource)source {
  if ((self = [super init])) _source = std::move(source);
  return self;
}

- (void)menuNeedsUpdate:(NSMenu*)menu {
  [menu removeAllItems];
  _items = _source.buildMenu ? _source.buildMenu() : std::vector<corvella::MenuItem>{};
  for (std::size_t index = 0; index < _items.size(); ++index) {
    [menu addItem:corvella::mac::makeMenuItem(_items[index], self, static_cast<NSInteger>(index))];
  }
}

- (void)chose:(NSMenuItem*)sender {
  if (sender.tag < 0 || static_cast<std::size_t>(sender.tag) >= _items.size()) return;
  corvella::MenuItem chosen = _items[static_cast<std::size_t>(sender.tag)];
  if ([sender.representedObject isKindOfClass:NSString.class]) {
    chosen.representedObject =
        corvella::mac::toStdString(static_cast<NSString*>(sender.representedObject));
  }
  if (_source.perform) _source.perform(chosen);
}

// The selectors the core names for items aimed at the delegate or the updater.
- (void)runAction:(NSMenuItem*)sender {
  [self chose:sender];
}
- (void)runGrid:(NSMenuItem*)sender {
  [self chose:sender];
}
- (void)checkForUpdates:(NSMenuItem*)sender {
  [self chose:sender];
}
// These three take no argument; each appears once in the menu.
- (void)openAccessibilitySettings {
  [self choseOnly:corvella::MenuAction::openAccessibilitySettings];
}
- (void)openSettings {
  [self choseOnly:corvella::MenuAction::openSettings];
}
- (void)toggleLogin {
  [self choseOnly:corvella::MenuAction::toggleLogin];
}

- (void)choseOnly:(corvella::MenuAction)action {
  for (const corvella::MenuItem& item : _items) {
    if (item.kind == corvella::MenuItemKind::item && item.action == action) {
      const corvella::MenuItem chosen = item;  // the list may be rebuilt meanwhile
      if (_source.perform) _source.perform(chosen);
      return;
    }
  }
}

@end
