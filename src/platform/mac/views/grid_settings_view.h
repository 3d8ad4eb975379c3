// The grid settings tab: heading, explanation, the scrolling list of rows and
// the add and restore buttons, drawn from the core's grid settings model.
#pragma once

#import <AppKit/AppKit.h>

#include "core/grids/grid_layout_store.h"
#include "core/grids/grid_settings_model.h"

@interface CorvellaGridSettingsView : NSStackView
// Both must outlive the view (they live as long as the settings window).
- (instancetype)initWithModel:(corvella::GridSettingsModel*)model
                        store:(corvella::GridLayoutStore*)store;
// Fixes the page's width, so that its wrapped text and its fitting height follow.
- (void)fixWidth:(CGFloat)width;
// Redraws on a later turn of the main loop; many requests make one redraw.
- (void)setNeedsRefresh;
@end
