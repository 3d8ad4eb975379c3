#include "platform/mac/views/labeled_stepper.h"

#include <algorithm>

#include "core/grids/grid_stepper.h"
#include "platform/mac/cf_strings.h"
#include "platform/mac/views/settings_metrics.h"

@implementation CorvellaLabeledStepper {
  NSTextField* _label;
  NSStepper* _stepper;
  void (^_step)(BOOL);
  double _shownValue;
}

- (instancetype)initWithStep:(void (^)(BOOL up))step {
  if ((self = [super initWithFrame:NSZeroRect])) {
    _step = step;
    _label = [NSTextField labelWithString:@""];
    _stepper = [[NSStepper alloc] init];
    _stepper.minValue = corvella::GridStepperLimits::minimum;
    _stepper.maxValue = corvella::GridStepperLimits::maximum;
    _stepper.increment = 1;
    _stepper.valueWraps = NO;
    _stepper.target = self;
    _stepper.action = @selector(stepped:);
    self.orientation = NSUserInterfaceLayoutOrientationHorizontal;
    self.alignment = NSLayoutAttributeCenterY;
    [self addView:_label inGravity:NSStackViewGravityLeading];
    [self addView:_stepper inGravity:NSStackViewGravityTrailing];
    self.translatesAutoresizingMaskIntoConstraints = NO;
    [self.widthAnchor constraintEqualToConstant:corvella::mac::SettingsMetrics::stepperWidth]
        .active = YES;
  }
  return self;
}

- (void)showState:(const corvella::GridStepperState&)state {
  _label.stringValue = corvella::mac::toNSString(state.label);
  // A hand-edited value outside 1...12 sits at the nearer end, so the one
  // button that leads back into the range is the one that moves.
  _shownValue =
      std::clamp<double>(static_cast<double>(state.value), corvella::GridStepperLimits::minimum,
                         corvella::GridStepperLimits::maximum);
  _stepper.doubleValue = _shownValue;
  _stepper.enabled = state.canIncrement || state.canDecrement;
}

- (void)stepped:(NSStepper*)sender {
  const double value = sender.doubleValue;
  if (value == _shownValue) return;
  const BOOL up = value > _shownValue;
  sender.doubleValue = _shownValue;  // the model's answer is shown on the next update
  if (_step) _step(up);
}

@end
