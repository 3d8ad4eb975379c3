#include "platform/mac/application_delegate.h"

@implementation CorvellaApplicationDelegate {
  corvella::Corvella* _app;
}

- (instancetype)initWithApp:(corvella::Corvella*)app {
  if ((self = [super init])) _app = app;
  return self;
}

- (void)applicationDidFinishLaunching:(NSNotification*)notification {
  (void)notification;
  _app->delegate().applicationDidFinishLaunching();
}

@end
