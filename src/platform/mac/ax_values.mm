#include "platform/mac/ax_values.h"

#include <ApplicationServices/ApplicationServices.h>

#include <memory>
#include <type_traits>
#include <vector>

#include "platform/mac/cf_strings.h"
#include "platform/mac/mac_element.h"

namespace corvella::mac {
namespace {

ElementRef wrapElement(CFTypeRef value) {
  auto element = CFRef<AXUIElementRef>::retain(static_cast<AXUIElementRef>(value));
  return std::make_shared<const MacElement>(std::move(element));
}

std::optional<AttributeValue> elementsFromArray(CFArrayRef array) {
  std::vector<ElementRef> elements;
  const CFIndex count = CFArrayGetCount(array);
  elements.reserve(static_cast<std::size_t>(count));
  for (CFIndex index = 0; index < count; ++index) {
    CFTypeRef item = CFArrayGetValueAtIndex(array, index);
    if (!item || CFGetTypeID(item) != AXUIElementGetTypeID()) return std::nullopt;
    elements.push_back(wrapElement(item));
  }
  return AttributeValue(std::move(elements));
}

AXGeometryValue geometryFromAXValue(AXValueRef value) {
  switch (AXValueGetType(value)) {
    case kAXValueTypeCGPoint: {
      CGPoint point = CGPointZero;
      AXValueGetValue(value, kAXValueTypeCGPoint, &point);
      return {AXGeometryValue::Kind::point, point.x, point.y};
    }
    case kAXValueTypeCGSize: {
      CGSize size = CGSizeZero;
      AXValueGetValue(value, kAXValueTypeCGSize, &size);
      return {AXGeometryValue::Kind::size, size.width, size.height};
    }
    default:
      return {};
  }
}

CFRef<CFTypeRef> wrapGeometry(const AXGeometryValue& value) {
  switch (value.kind) {
    case AXGeometryValue::Kind::point: {
      const CGPoint point = CGPointMake(value.a, value.b);
      return CFRef<CFTypeRef>::adopt(AXValueCreate(kAXValueTypeCGPoint, &point));
    }
    case AXGeometryValue::Kind::size: {
      const CGSize size = CGSizeMake(value.a, value.b);
      return CFRef<CFTypeRef>::adopt(AXValueCreate(kAXValueTypeCGSize, &size));
    }
    case AXGeometryValue::Kind::other:
      break;
  }
  return {};
}

}  // namespace

std::optional<AttributeValue> attributeValueFromCF(CFTypeRef value) {
  if (!value) return std::nullopt;
  const CFTypeID type = CFGetTypeID(value);
  if (type == CFBooleanGetTypeID()) {
    return AttributeValue(CFBooleanGetValue(static_cast<CFBooleanRef>(value)) != false);
  }
  if (type == CFNumberGetTypeID()) {
    double number = 0;
    CFNumberGetValue(static_cast<CFNumberRef>(value), kCFNumberDoubleType, &number);
    return AttributeValue(number);
  }
  if (type == CFStringGetTypeID()) {
    return AttributeValue(toStdString(static_cast<CFStringRef>(value)));
  }
  if (type == AXUIElementGetTypeID()) return AttributeValue(wrapElement(value));
  if (type == CFArrayGetTypeID()) return elementsFromArray(static_cast<CFArrayRef>(value));
  if (type == AXValueGetTypeID()) {
    return AttributeValue(geometryFromAXValue(static_cast<AXValueRef>(value)));
  }
  return std::nullopt;
}

CFRef<CFTypeRef> cfFromAttributeValue(const AttributeValue& value) {
  return std::visit(
      [](const auto& held) -> CFRef<CFTypeRef> {
        using Held = std::decay_t<decltype(held)>;
        if constexpr (std::is_same_v<Held, bool>) {
          return CFRef<CFTypeRef>::retain(held ? kCFBooleanTrue : kCFBooleanFalse);
        } else if constexpr (std::is_same_v<Held, double>) {
          return CFRef<CFTypeRef>::adopt(
              CFNumberCreate(kCFAllocatorDefault, kCFNumberDoubleType, &held));
        } else if constexpr (std::is_same_v<Held, std::string>) {
          CFRef<CFStringRef> string = makeCFString(held);
          return CFRef<CFTypeRef>::retain(string.get());
        } else if constexpr (std::is_same_v<Held, ElementRef>) {
          return CFRef<CFTypeRef>::retain(axElement(held));
        } else if constexpr (std::is_same_v<Held, std::vector<ElementRef>>) {
          std::vector<const void*> items;
          for (const ElementRef& element : held) {
            if (AXUIElementRef ax = axElement(element)) items.push_back(ax);
          }
          return CFRef<CFTypeRef>::adopt(CFArrayCreate(kCFAllocatorDefault, items.data(),
                                                       static_cast<CFIndex>(items.size()),
                                                       &kCFTypeArrayCallBacks));
        } else {
          return wrapGeometry(held);
        }
      },
      value);
}

}  // namespace corvella::mac
