#include "platform/mac/views/grid_settings_view.h"

#include <map>
#include <utility>
#include <vector>

#include "platform/mac/cf_strings.h"
#include "platform/mac/views/grid_row_view.h"
#include "platform/mac/views/settings_metrics.h"

namespace metrics = corvella::mac::SettingsMetrics;
using corvella::mac::toNSString;

// A document view whose rows start at the top of the scrolling area.
@interface CorvellaFlippedView : NSView
@end
@implementation CorvellaFlippedView
- (BOOL)isFlipped {
  return YES;
}
@end

@implementation CorvellaGridSettingsView {
  corvella::GridSettingsModel* _model;
  corvella::GridLayoutStore* _store;
  corvella::GridLayoutStore::ObserverID _observer;
  NSStackView* _list;
  NSString* _removeHelp;
  NSTextField* _explanation;
  // Row views by row model, reused while their layout stays listed (a view
  // always reads the model it is given, so a reused address is harmless).
  std::map<const corvella::GridRowModel*, CorvellaGridRowView*> _rowViews;
  // The rows on show, by model and layout id, in order.
  std::vector<std::pair<const corvella::GridRowModel*, std::string>> _shownRows;
  BOOL _refreshPending;
}

- (instancetype)initWithModel:(corvella::GridSettingsModel*)model
                        store:(corvella::GridLayoutStore*)store {
  if ((self = [super initWithFrame:NSZeroRect])) {
    _model = model;
    _store = store;
    const corvella::GridSettingsTexts texts = model->texts();
    _removeHelp = toNSString(texts.removeHelp);

    self.orientation = NSUserInterfaceLayoutOrientationVertical;
    self.alignment = NSLayoutAttributeLeading;
    self.spacing = metrics::pageSpacing;
    self.edgeInsets = NSEdgeInsetsMake(metrics::pagePadding, metrics::pagePadding,
                                       metrics::pagePadding, metrics::pagePadding);
    self.translatesAutoresizingMaskIntoConstraints = NO;

    NSTextField* title = [NSTextField labelWithString:toNSString(texts.title)];
    title.font = metrics::headlineFont();
    NSTextField* explanation = [NSTextField wrappingLabelWithString:toNSString(texts.explanation)];
    _explanation = explanation;
    explanation.font = metrics::calloutFont();
    explanation.textColor = NSColor.secondaryLabelColor;
    explanation.selectable = NO;

    NSScrollView* scroll = [self makeList];
    NSStackView* buttons = [self makeButtonsWithTexts:texts];

    for (NSView* view in @[ title, explanation, scroll, buttons ]) [self addArrangedSubview:view];
    const CGFloat inner = -2 * metrics::pagePadding;
    for (NSView* view in @[ explanation, scroll, buttons ]) {
      [view.widthAnchor constraintEqualToAnchor:self.widthAnchor constant:inner].active = YES;
    }

    __weak CorvellaGridSettingsView* weakSelf = self;
    _observer = store->addWillChangeObserver([weakSelf] { [weakSelf setNeedsRefresh]; });
    [self refresh];
  }
  return self;
}

- (void)fixWidth:(CGFloat)width {
  [self.widthAnchor constraintEqualToConstant:width].active = YES;
  _explanation.preferredMaxLayoutWidth = width - 2 * metrics::pagePadding;
}

- (void)dealloc {
  _store->removeObserver(_observer);
}

- (NSScrollView*)makeList {
  _list = [[NSStackView alloc] init];
  _list.orientation = NSUserInterfaceLayoutOrientationVertical;
  _list.alignment = NSLayoutAttributeLeading;
  _list.spacing = 0;
  _list.translatesAutoresizingMaskIntoConstraints = NO;

  CorvellaFlippedView* document = [[CorvellaFlippedView alloc] init];
  document.translatesAutoresizingMaskIntoConstraints = NO;
  [document addSubview:_list];

  NSScrollView* scroll = [[NSScrollView alloc] init];
  scroll.hasVerticalScroller = YES;
  scroll.autohidesScrollers = NO;
  scroll.drawsBackground = YES;
  scroll.backgroundColor = NSColor.controlBackgroundColor;
  scroll.wantsLayer = YES;
  scroll.layer.cornerRadius = metrics::listCornerRadius;
  scroll.layer.cornerCurve = kCACornerCurveContinuous;
  scroll.layer.masksToBounds = YES;
  scroll.documentView = document;
  scroll.translatesAutoresizingMaskIntoConstraints = NO;

  NSClipView* clip = scroll.contentView;
  [NSLayoutConstraint activateConstraints:@[
    [scroll.heightAnchor constraintGreaterThanOrEqualToConstant:metrics::listMinimumHeight],
    [document.leadingAnchor constraintEqualToAnchor:clip.leadingAnchor],
    [document.trailingAnchor constraintEqualToAnchor:clip.trailingAnchor],
    [document.topAnchor constraintEqualToAnchor:clip.topAnchor],
    [_list.leadingAnchor constraintEqualToAnchor:document.leadingAnchor],
    [_list.trailingAnchor constraintEqualToAnchor:document.trailingAnchor],
    [_list.topAnchor constraintEqualToAnchor:document.topAnchor],
    [_list.bottomAnchor constraintEqualToAnchor:document.bottomAnchor],
  ]];
  // As short as allowed: longer lists scroll.
  NSLayoutConstraint* compact = [scroll.heightAnchor constraintEqualToConstant:0];
  compact.priority = NSLayoutPriorityDefaultLow;
  compact.active = YES;
  return scroll;
}

- (NSStackView*)makeButtonsWithTexts:(const corvella::GridSettingsTexts&)texts {
  NSButton* add = [NSButton buttonWithTitle:toNSString(texts.addButton)
                                     target:self
                                     action:@selector(addClicked:)];
  NSButton* restore = [NSButton buttonWithTitle:toNSString(texts.restoreButton)
                                         target:self
                                         action:@selector(restoreClicked:)];
  NSStackView* buttons = [[NSStackView alloc] init];
  buttons.orientation = NSUserInterfaceLayoutOrientationHorizontal;
  [buttons addView:add inGravity:NSStackViewGravityLeading];
  [buttons addView:restore inGravity:NSStackViewGravityTrailing];
  return buttons;
}

- (void)addClicked:(NSButton*)sender {
  (void)sender;
  _model->addGrid();
  [self setNeedsRefresh];
}

- (void)restoreClicked:(NSButton*)sender {
  (void)sender;
  _model->restoreDefaults();
  [self setNeedsRefresh];
}

- (void)setNeedsRefresh {
  if (_refreshPending) return;
  _refreshPending = YES;
  __weak CorvellaGridSettingsView* weakSelf = self;
  dispatch_async(dispatch_get_main_queue(), ^{
    [weakSelf refresh];
  });
}

// Brings the rows in line with the model: same order, one view per layout,
// views of layouts still listed kept (so focus and scrolling stay).
- (void)refresh {
  _refreshPending = NO;
  const auto& rows = _model->rows();
  std::vector<std::pair<const corvella::GridRowModel*, std::string>> order;
  for (const auto& row : rows) order.emplace_back(row.get(), row->id().uuidString());
  if (order == _shownRows) {
    // Same rows in the same order: update in place, keeping focus.
    for (auto& entry : _rowViews) [entry.second update];
    return;
  }
  _shownRows = std::move(order);

  std::map<const corvella::GridRowModel*, CorvellaGridRowView*> kept;
  for (NSView* view in [_list.arrangedSubviews copy]) [_list removeArrangedSubview:view];
  for (NSView* view in [_list.subviews copy]) [view removeFromSuperview];

  __weak CorvellaGridSettingsView* weakSelf = self;
  dispatch_block_t changed = ^{
    [weakSelf setNeedsRefresh];
  };
  for (const std::unique_ptr<corvella::GridRowModel>& row : rows) {
    CorvellaGridRowView* view = nil;
    auto found = _rowViews.find(row.get());
    if (found != _rowViews.end()) {
      view = found->second;
      [view update];
    } else {
      view = [[CorvellaGridRowView alloc] initWithRow:row.get()
                                           removeHelp:_removeHelp
                                              changed:changed];
    }
    kept[row.get()] = view;
    [self addRowView:view];
  }
  _rowViews = std::move(kept);
}

- (void)addRowView:(CorvellaGridRowView*)view {
  // Padded 10 horizontally and 4 vertically, then a divider line.
  NSStackView* padded = [NSStackView stackViewWithViews:@[ view ]];
  padded.edgeInsets =
      NSEdgeInsetsMake(metrics::rowOuterVerticalPadding, metrics::rowHorizontalPadding,
                       metrics::rowOuterVerticalPadding, metrics::rowHorizontalPadding);
  NSBox* divider = [[NSBox alloc] init];
  divider.boxType = NSBoxSeparator;
  [_list addArrangedSubview:padded];
  [_list addArrangedSubview:divider];
  for (NSView* item in @[ padded, divider ]) {
    [item.widthAnchor constraintEqualToAnchor:_list.widthAnchor].active = YES;
  }
  [view.widthAnchor constraintEqualToAnchor:padded.widthAnchor
                                   constant:-2 * metrics::rowHorizontalPadding]
      .active = YES;
}

@end
