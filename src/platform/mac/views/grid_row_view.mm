#include "platform/mac/views/grid_row_view.h"

#include "platform/mac/cf_strings.h"
#include "platform/mac/views/grid_preview_view.h"
#include "platform/mac/views/labeled_stepper.h"
#include "platform/mac/views/settings_metrics.h"

namespace metrics = corvella::mac::SettingsMetrics;
using corvella::mac::toNSString;

@implementation CorvellaGridRowView {
  corvella::GridRowModel* _row;
  dispatch_block_t _changed;
  CorvellaGridPreviewView* _preview;
  NSTextField* _title;
  CorvellaLabeledStepper* _columns;
  CorvellaLabeledStepper* _rows;
  NSButton* _recorder;
  NSTextField* _message;
}

- (instancetype)initWithRow:(corvella::GridRowModel*)row
                 removeHelp:(NSString*)removeHelp
                    changed:(dispatch_block_t)changed {
  if ((self = [super initWithFrame:NSZeroRect])) {
    _row = row;
    _changed = changed;
    self.orientation = NSUserInterfaceLayoutOrientationVertical;
    self.alignment = NSLayoutAttributeLeading;
    self.spacing = metrics::rowSpacing;
    self.edgeInsets =
        NSEdgeInsetsMake(metrics::rowInnerVerticalPadding, 0, metrics::rowInnerVerticalPadding, 0);
    self.translatesAutoresizingMaskIntoConstraints = NO;

    NSStackView* controls = [self makeControlsWithRemoveHelp:removeHelp];
    [self addArrangedSubview:controls];

    _message = [NSTextField wrappingLabelWithString:@""];
    _message.font = metrics::captionFont();
    _message.textColor = NSColor.systemRedColor;
    _message.alignment = NSTextAlignmentRight;
    _message.hidden = YES;
    [self addArrangedSubview:_message];
    [_message.widthAnchor constraintEqualToAnchor:self.widthAnchor].active = YES;
    [self update];
  }
  return self;
}

- (NSStackView*)makeControlsWithRemoveHelp:(NSString*)removeHelp {
  _preview = [[CorvellaGridPreviewView alloc] initWithFrame:NSZeroRect];

  _title = [NSTextField labelWithString:@""];
  _title.alignment = NSTextAlignmentLeft;
  _title.lineBreakMode = NSLineBreakByTruncatingTail;
  _title.translatesAutoresizingMaskIntoConstraints = NO;
  [_title.widthAnchor constraintEqualToConstant:metrics::titleWidth].active = YES;

  corvella::GridRowModel* row = _row;
  dispatch_block_t changed = _changed;
  _columns = [[CorvellaLabeledStepper alloc] initWithStep:^(BOOL up) {
    up ? row->incrementColumns() : row->decrementColumns();
    changed();
  }];
  _rows = [[CorvellaLabeledStepper alloc] initWithStep:^(BOOL up) {
    up ? row->incrementRows() : row->decrementRows();
    changed();
  }];

  _recorder = [NSButton buttonWithTitle:@"" target:self action:@selector(recorderClicked:)];
  _recorder.translatesAutoresizingMaskIntoConstraints = NO;
  [_recorder.widthAnchor constraintGreaterThanOrEqualToConstant:metrics::recorderMinimumWidth]
      .active = YES;

  NSImageSymbolConfiguration* symbolSize =
      [NSImageSymbolConfiguration configurationWithPointSize:metrics::removeSymbolPointSize
                                                      weight:NSFontWeightRegular];
  NSImage* minus =
      [[NSImage imageWithSystemSymbolName:@"minus.circle"
                 accessibilityDescription:removeHelp] imageWithSymbolConfiguration:symbolSize];
  NSButton* remove = [NSButton buttonWithImage:minus target:self action:@selector(removeClicked:)];
  remove.bordered = NO;
  remove.toolTip = removeHelp;
  remove.accessibilityLabel = removeHelp;
  remove.translatesAutoresizingMaskIntoConstraints = NO;
  [remove.widthAnchor constraintEqualToConstant:metrics::removeButtonSide].active = YES;
  [remove.heightAnchor constraintEqualToConstant:metrics::removeButtonSide].active = YES;

  NSStackView* controls =
      [NSStackView stackViewWithViews:@[ _preview, _title, _columns, _rows, _recorder, remove ]];
  controls.orientation = NSUserInterfaceLayoutOrientationHorizontal;
  controls.alignment = NSLayoutAttributeCenterY;
  controls.spacing = metrics::rowItemSpacing;
  return controls;
}

- (corvella::GridRowModel*)row {
  return _row;
}

- (void)update {
  const std::optional<corvella::GridLayout> layout = _row->layout();
  if (!layout) return;  // removed; the page drops this view on its next redraw
  [_preview showColumns:layout->columns rows:layout->rows];
  _title.stringValue = toNSString(_row->shortTitle());
  [_columns showState:_row->columnsStepper()];
  [_rows showState:_row->rowsStepper()];
  _recorder.title = toNSString(_row->recorder().label());
  const std::optional<std::string>& message = _row->message();
  _message.stringValue = message ? toNSString(*message) : @"";
  _message.hidden = !message.has_value();
}

- (void)recorderClicked:(NSButton*)sender {
  (void)sender;
  _row->recorder().click();
  _changed();
}

- (void)removeClicked:(NSButton*)sender {
  (void)sender;
  _row->remove();
  _changed();
}

@end
