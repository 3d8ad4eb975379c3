#include "platform/mac/mac_localizer.h"

#import <Foundation/Foundation.h>

#include "platform/mac/cf_strings.h"

namespace corvella::mac {

std::string MacLocalizer::localized(std::string_view englishText) {
  NSString* key = toNSString(englishText);
  return toStdString([NSBundle.mainBundle localizedStringForKey:key value:key table:nil]);
}

}  // namespace corvella::mac
