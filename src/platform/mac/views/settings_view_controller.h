// The settings window's content: a tab view, 620 points wide, whose selection
// is the core's remembered tab, holding the grid settings tab.
#pragma once

#import <AppKit/AppKit.h>

#include "core/grids/grid_layout_store.h"
#include "core/settings/settings_view.h"

@interface CorvellaSettingsViewController : NSViewController <NSTabViewDelegate>
// Both must outlive the controller (they live as long as the process).
- (instancetype)initWithView:(corvella::SettingsView*)settingsView
                       store:(corvella::GridLayoutStore*)store;
// Redraws the tabs' contents on a later turn of the main loop.
- (void)setNeedsRefresh;
@end
