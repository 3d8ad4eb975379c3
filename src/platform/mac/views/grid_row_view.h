// One grid layout's row in the settings tab: preview, short title, column and
// row steppers, the shortcut recorder button, the remove button and, while
// the recorder has something to say, a red caption under the row.
#pragma once

#import <AppKit/AppKit.h>

#include "core/grids/grid_settings_model.h"

@interface CorvellaGridRowView : NSStackView
// row must outlive the view: the page drops the view when its layout goes.
// changed runs after every edit or click, so that the page redraws.
- (instancetype)initWithRow:(corvella::GridRowModel*)row
                 removeHelp:(NSString*)removeHelp
                    changed:(dispatch_block_t)changed;
@property(nonatomic, readonly) corvella::GridRowModel* row;
// Shows the layout as the store holds it now.
- (void)update;
@end
