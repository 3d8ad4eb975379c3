#include "platform/mac/mac_defaults.h"

#import <Foundation/Foundation.h>

#include "platform/mac/cf_strings.h"

namespace corvella::mac {

// dataForKey: gives nil for a value of another kind.
std::optional<Bytes> MacDefaults::data(std::string_view key) {
  NSData* value = [NSUserDefaults.standardUserDefaults dataForKey:toNSString(key)];
  if (!value) return std::nullopt;
  const auto* bytes = static_cast<const std::uint8_t*>(value.bytes);
  return Bytes(bytes, bytes + value.length);
}

// Not stringForKey:, which turns a number into its decimal text: a number
// written under "SUFeedURL" or "settingsTab" is of another kind, not a string.
std::optional<std::string> MacDefaults::string(std::string_view key) {
  id value = [NSUserDefaults.standardUserDefaults objectForKey:toNSString(key)];
  if (![value isKindOfClass:NSString.class]) return std::nullopt;
  return toStdString(static_cast<NSString*>(value));
}

void MacDefaults::setData(std::string_view key, const Bytes& value) {
  NSData* data = [NSData dataWithBytes:value.data() length:value.size()];
  [NSUserDefaults.standardUserDefaults setObject:data forKey:toNSString(key)];
}

void MacDefaults::setString(std::string_view key, const std::string& value) {
  [NSUserDefaults.standardUserDefaults setObject:toNSString(value) forKey:toNSString(key)];
}

}  // namespace corvella::mac
