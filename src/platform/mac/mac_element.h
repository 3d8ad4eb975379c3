// MacElement: an AXUIElementRef behind the core's PlatformElement.
#pragma once

#include <ApplicationServices/ApplicationServices.h>

#include "core/ports/accessibility.h"
#include "platform/mac/cf_ref.h"

namespace corvella::mac {

class MacElement final : public PlatformElement {
 public:
  explicit MacElement(CFRef<AXUIElementRef> element) : element_(std::move(element)) {}
  // CFEqual: two references may name the same element of another application.
  bool equals(const PlatformElement& other) const override;
  AXUIElementRef element() const { return element_.get(); }

 private:
  CFRef<AXUIElementRef> element_;
};

// The AX element behind a core element; null when it came from elsewhere.
AXUIElementRef axElement(const ElementRef& element);

}  // namespace corvella::mac
