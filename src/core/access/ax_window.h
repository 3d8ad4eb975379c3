// AXWindow: a window of another application and its owner's process.
#pragma once

#include "core/ports/accessibility.h"

namespace corvella {

struct AXWindow {
  ElementRef element;
  ProcessID pid = 0;

  // Equal when the elements are equal under the platform's equality; the
  // process takes no part.
  friend bool operator==(const AXWindow& a, const AXWindow& b) {
    if (a.element == b.element) return true;
    if (!a.element || !b.element) return false;
    return a.element->equals(*b.element);
  }
};

}  // namespace corvella
