// The NSApplication delegate: hands the finished launch to the core's
// application delegate, and the links the system opens with the application
// (corvella://…, declared in Info.plist) to whoever main() names. Nothing is
// decided here.
#pragma once

#import <AppKit/AppKit.h>

#include <functional>
#include <string_view>

#include "core/app/corvella.h"

@interface CorvellaApplicationDelegate : NSObject <NSApplicationDelegate>
// app must outlive the delegate (both live until the process ends).
// afterLaunch runs once the core's launch sequence has run; openURL gets each
// opened link's text, also those that arrive before the launch has finished.
- (instancetype)initWithApp:(corvella::Corvella*)app
                afterLaunch:(std::function<void()>)afterLaunch
                    openURL:(std::function<void(std::string_view)>)openURL;
@end
