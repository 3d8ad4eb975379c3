// The small drawing of a grid: the cells the core computes for this canvas,
// filled as rounded rectangles in the accent colour.
#pragma once

#import <AppKit/AppKit.h>

#include <cstdint>

@interface CorvellaGridPreviewView : NSView
- (void)showColumns:(std::int64_t)columns rows:(std::int64_t)rows;
@end
