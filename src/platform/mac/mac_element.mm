#include "platform/mac/mac_element.h"

namespace corvella::mac {

bool MacElement::equals(const PlatformElement& other) const {
  const auto* mac = dynamic_cast<const MacElement*>(&other);
  return mac && element_ && mac->element_ && CFEqual(element_.get(), mac->element_.get());
}

AXUIElementRef axElement(const ElementRef& element) {
  const auto* mac = dynamic_cast<const MacElement*>(element.get());
  return mac ? mac->element() : nullptr;
}

}  // namespace corvella::mac
