// The NSApplication delegate: hands the finished launch to the core's
// application delegate. Nothing is decided here.
#pragma once

#import <AppKit/AppKit.h>

#include "core/app/corvella.h"

@interface CorvellaApplicationDelegate : NSObject <NSApplicationDelegate>
// app must outlive the delegate (both live until the process ends).
- (instancetype)initWithApp:(corvella::Corvella*)app;
@end
