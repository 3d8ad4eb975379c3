#include "platform/mac/views/grid_preview_view.h"

#include "core/grids/grid_preview.h"

@implementation CorvellaGridPreviewView {
  std::int64_t _columns;
  std::int64_t _rows;
}

- (instancetype)initWithFrame:(NSRect)frame {
  if ((self = [super initWithFrame:frame])) {
    self.translatesAutoresizingMaskIntoConstraints = NO;
    [self.widthAnchor constraintEqualToConstant:corvella::GridPreviewStyle::canvasWidth].active =
        YES;
    [self.heightAnchor constraintEqualToConstant:corvella::GridPreviewStyle::canvasHeight].active =
        YES;
  }
  return self;
}

- (void)showColumns:(std::int64_t)columns rows:(std::int64_t)rows {
  if (columns == _columns && rows == _rows) return;
  _columns = columns;
  _rows = rows;
  self.needsDisplay = YES;
}

// Cells are laid out from the top left.
- (BOOL)isFlipped {
  return YES;
}

- (BOOL)isOpaque {
  return NO;
}

- (void)drawRect:(NSRect)dirtyRect {
  (void)dirtyRect;
  const NSSize size = self.bounds.size;
  NSColor* fill =
      [NSColor.controlAccentColor colorWithAlphaComponent:corvella::GridPreviewStyle::fillOpacity];
  [fill setFill];
  for (const corvella::Rect& cell :
       corvella::gridPreviewCells(_columns, _rows, size.width, size.height)) {
    const NSRect rect = NSMakeRect(cell.x, cell.y, cell.width, cell.height);
    [[NSBezierPath bezierPathWithRoundedRect:rect
                                     xRadius:corvella::GridPreviewStyle::cornerRadius
                                     yRadius:corvella::GridPreviewStyle::cornerRadius] fill];
  }
}

@end
