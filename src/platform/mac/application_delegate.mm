#include "platform/mac/application_delegate.h"

@implementation CorvellaApplicationDelegate {
  corvella::Corvella* _app;
  std::function<void()> _afterLaunch;
  std::function<void(std::string_view)> _openURL;
}

- (instancetype)initWithApp:(corvella::Corvella*)app
                afterLaunch:(std::function<void()>)afterLaunch
                    openURL:(std::function<void(std::string_view)>)openURL {
  if ((self = [super init])) {
    _app = app;
    _afterLaunch = std::move(afterLaunch);
    _openURL = std::move(openURL);
  }
  return self;
}

- (void)applicationDidFinishLaunching:(NSNotification*)notification {
  (void)notification;
  _app->delegate().applicationDidFinishLaunching();
  if (_afterLaunch) _afterLaunch();
}

- (void)application:(NSApplication*)application openURLs:(NSArray<NSURL*>*)urls {
  (void)application;
  for (NSURL* url in urls) {
    const char* text = url.absoluteString.UTF8String;
    if (text && _openURL) _openURL(text);
  }
}

@end
