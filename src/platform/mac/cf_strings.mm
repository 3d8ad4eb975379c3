#include "platform/mac/cf_strings.h"

#import <Foundation/Foundation.h>

#include <vector>

namespace corvella::mac {

std::string toStdString(CFStringRef string) {
  if (!string) return {};
  if (const char* fast = CFStringGetCStringPtr(string, kCFStringEncodingUTF8)) return fast;
  const CFIndex length = CFStringGetLength(string);
  const CFIndex capacity = CFStringGetMaximumSizeForEncoding(length, kCFStringEncodingUTF8) + 1;
  std::vector<char> buffer(static_cast<std::size_t>(capacity));
  if (!CFStringGetCString(string, buffer.data(), capacity, kCFStringEncodingUTF8)) return {};
  return std::string(buffer.data());
}

CFRef<CFStringRef> makeCFString(std::string_view utf8) {
  auto string = CFRef<CFStringRef>::adopt(
      CFStringCreateWithBytes(kCFAllocatorDefault, reinterpret_cast<const UInt8*>(utf8.data()),
                              static_cast<CFIndex>(utf8.size()), kCFStringEncodingUTF8, false));
  if (string) return string;
  return CFRef<CFStringRef>::adopt(
      CFStringCreateWithCString(kCFAllocatorDefault, "", kCFStringEncodingUTF8));
}

std::string toStdString(NSString* string) {
  if (!string) return {};
  return toStdString((__bridge CFStringRef)string);
}

NSString* toNSString(std::string_view utf8) {
  NSString* string = [[NSString alloc] initWithBytes:utf8.data()
                                              length:utf8.size()
                                            encoding:NSUTF8StringEncoding];
  return string ? string : @"";
}

}  // namespace corvella::mac
