#include "platform/mac/mac_accessibility.h"

#import <Foundation/Foundation.h>

#include <memory>

#include "platform/mac/ax_error_names.h"
#include "platform/mac/ax_values.h"
#include "platform/mac/cf_strings.h"
#include "platform/mac/mac_element.h"

namespace corvella::mac {

ElementRef MacAccessibility::createApplication(ProcessID pid) {
  auto application = CFRef<AXUIElementRef>::adopt(AXUIElementCreateApplication(pid));
  return std::make_shared<const MacElement>(std::move(application));
}

std::optional<AttributeValue> MacAccessibility::copyAttributeValue(const ElementRef& element,
                                                                   std::string_view attribute) {
  AXUIElementRef ax = axElement(element);
  if (!ax) return std::nullopt;
  CFTypeRef raw = nullptr;
  const AXError error = AXUIElementCopyAttributeValue(ax, makeCFString(attribute).get(), &raw);
  auto value = CFRef<CFTypeRef>::adopt(raw);
  if (error != kAXErrorSuccess) {
    noteFailure("copy", attribute, error);
    return std::nullopt;
  }
  return attributeValueFromCF(value.get());
}

void MacAccessibility::setAttributeValue(const ElementRef& element, std::string_view attribute,
                                         const AttributeValue& value) {
  AXUIElementRef ax = axElement(element);
  CFRef<CFTypeRef> wrapped = cfFromAttributeValue(value);
  if (!ax || !wrapped) return;
  const AXError error =
      AXUIElementSetAttributeValue(ax, makeCFString(attribute).get(), wrapped.get());
  if (error != kAXErrorSuccess) noteFailure("set", attribute, error);
}

void MacAccessibility::performAction(const ElementRef& element, std::string_view action) {
  AXUIElementRef ax = axElement(element);
  if (!ax) return;
  const AXError error = AXUIElementPerformAction(ax, makeCFString(action).get());
  if (error != kAXErrorSuccess) noteFailure("perform", action, error);
}

bool MacAccessibility::isProcessTrusted() { return AXIsProcessTrusted(); }

bool MacAccessibility::isProcessTrustedWithPrompt() {
  NSDictionary* options = @{(__bridge NSString*)kAXTrustedCheckOptionPrompt : @YES};
  return AXIsProcessTrustedWithOptions((__bridge CFDictionaryRef)options);
}

void MacAccessibility::noteFailure(std::string_view call, std::string_view name, AXError error) {
  lastFailure_ = std::string(call) + " " + std::string(name) + ": " +
                 std::string(axErrorName(error)) + " (" + std::to_string(error) + ")";
}

}  // namespace corvella::mac
