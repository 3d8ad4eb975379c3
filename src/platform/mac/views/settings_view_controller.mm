#include "platform/mac/views/settings_view_controller.h"

#include "platform/mac/cf_strings.h"
#include "platform/mac/views/grid_settings_view.h"

using corvella::mac::toNSString;

@implementation CorvellaSettingsViewController {
  corvella::SettingsView* _settingsView;
  corvella::GridLayoutStore* _store;
  CorvellaGridSettingsView* _grids;
}

- (instancetype)initWithView:(corvella::SettingsView*)settingsView
                       store:(corvella::GridLayoutStore*)store {
  if ((self = [super initWithNibName:nil bundle:nil])) {
    _settingsView = settingsView;
    _store = store;
  }
  return self;
}

- (void)loadView {
  NSTabView* tabs = [[NSTabView alloc] init];
  tabs.translatesAutoresizingMaskIntoConstraints = NO;
  for (const corvella::SettingsTab& tab : _settingsView->tabs()) {
    NSTabViewItem* item = [[NSTabViewItem alloc] initWithIdentifier:toNSString(tab.tag)];
    item.label = toNSString(tab.label);
    item.view = [self makeContentForTab:tab.tag];
    [tabs addTabViewItem:item];
  }
  const NSInteger selected =
      [tabs indexOfTabViewItemWithIdentifier:toNSString(_settingsView->tab())];
  if (selected != NSNotFound) [tabs selectTabViewItemAtIndex:selected];
  tabs.delegate = self;

  NSView* root = [[NSView alloc] init];
  [root addSubview:tabs];
  [NSLayoutConstraint activateConstraints:@[
    [root.widthAnchor constraintEqualToConstant:corvella::SettingsView::width],
    [tabs.topAnchor constraintEqualToAnchor:root.topAnchor
                                   constant:corvella::SettingsView::topInset],
    [tabs.leadingAnchor constraintEqualToAnchor:root.leadingAnchor],
    [tabs.trailingAnchor constraintEqualToAnchor:root.trailingAnchor],
    [tabs.bottomAnchor constraintEqualToAnchor:root.bottomAnchor],
  ]];
  self.view = root;
}

- (NSView*)makeContentForTab:(const std::string&)tag {
  if (tag == corvella::SettingsView::gridsTab) {
    _grids = [[CorvellaGridSettingsView alloc] initWithModel:&_settingsView->grids() store:_store];
    NSView* container = [[NSView alloc] init];
    [container addSubview:_grids];
    [NSLayoutConstraint activateConstraints:@[
      [_grids.topAnchor constraintEqualToAnchor:container.topAnchor],
      [_grids.leadingAnchor constraintEqualToAnchor:container.leadingAnchor],
      [_grids.trailingAnchor constraintEqualToAnchor:container.trailingAnchor],
      [_grids.bottomAnchor constraintEqualToAnchor:container.bottomAnchor],
    ]];
    return container;
  }
  return [[NSView alloc] init];
}

- (void)tabView:(NSTabView*)tabView didSelectTabViewItem:(NSTabViewItem*)item {
  (void)tabView;
  if ([item.identifier isKindOfClass:NSString.class]) {
    _settingsView->setTab(corvella::mac::toStdString(static_cast<NSString*>(item.identifier)));
  }
}

- (void)setNeedsRefresh {
  [_grids setNeedsRefresh];
}

@end
