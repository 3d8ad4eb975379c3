// A stepper with its label ("Columns 3"), as the core's stepper state says.
#pragma once

#import <AppKit/AppKit.h>

#include "core/grids/grid_settings_model.h"

@interface CorvellaLabeledStepper : NSStackView
// up is YES for a step up, NO for a step down.
- (instancetype)initWithStep:(void (^)(BOOL up))step;
- (void)showState:(const corvella::GridStepperState&)state;
@end
