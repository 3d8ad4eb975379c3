#include "platform/mac/views/settings_view_controller.h"

#include <algorithm>

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
  // A tab view does not size itself to its pages: measure its frame around the
  // content area at the fixed width, and make it as tall as the tallest page.
  const NSRect probe = NSMakeRect(0, 0, corvella::SettingsView::width, 1000);
  tabs.frame = probe;
  const NSSize contentSize = tabs.contentRect.size;
  CGFloat pageHeight = 0;
  for (const corvella::SettingsTab& tab : _settingsView->tabs()) {
    NSTabViewItem* item = [[NSTabViewItem alloc] initWithIdentifier:toNSString(tab.tag)];
    item.label = toNSString(tab.label);
    NSView* page = [self makePageForTab:tab.tag width:contentSize.width];
    pageHeight = std::max(pageHeight, page.fittingSize.height);
    NSView* container = [[NSView alloc] init];
    [container addSubview:page];
    [page.topAnchor constraintEqualToAnchor:container.topAnchor].active = YES;
    [page.leadingAnchor constraintEqualToAnchor:container.leadingAnchor].active = YES;
    item.view = container;
    [tabs addTabViewItem:item];
  }
  tabs.translatesAutoresizingMaskIntoConstraints = NO;
  [tabs.heightAnchor constraintEqualToConstant:pageHeight + probe.size.height - contentSize.height]
      .active = YES;
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
  [root setFrameSize:root.fittingSize];
  self.view = root;
}

- (NSView*)makePageForTab:(const std::string&)tag width:(CGFloat)width {
  if (tag == corvella::SettingsView::gridsTab) {
    _grids = [[CorvellaGridSettingsView alloc] initWithModel:&_settingsView->grids() store:_store];
    [_grids fixWidth:width];
    return _grids;
  }
  NSView* empty = [[NSView alloc] init];
  empty.translatesAutoresizingMaskIntoConstraints = NO;
  return empty;
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
