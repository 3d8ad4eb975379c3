// Text between the core's UTF-8 strings and CoreFoundation/Foundation strings.
#pragma once

#include <CoreFoundation/CoreFoundation.h>

#include <string>
#include <string_view>

#include "platform/mac/cf_ref.h"

#ifdef __OBJC__
@class NSString;
#endif

namespace corvella::mac {

// UTF-8 of the string; empty for null.
std::string toStdString(CFStringRef string);
// A new string from UTF-8; invalid bytes give an empty string, never null.
CFRef<CFStringRef> makeCFString(std::string_view utf8);

#ifdef __OBJC__
std::string toStdString(NSString* string);
NSString* toNSString(std::string_view utf8);
#endif

}  // namespace corvella::mac
