// Screens: each screen's full and visible frame, in the platform's space
// (origin at the bottom-left of the primary screen, y growing upwards).
#pragma once

#include <vector>

#include "core/actions/rect.h"

namespace corvella {

struct PlatformScreen {
  Rect frame;
  Rect visibleFrame;
  friend bool operator==(const PlatformScreen&, const PlatformScreen&) = default;
};

class Screens {
 public:
  virtual ~Screens() = default;
  // In the platform's order; the first is the primary screen.
  virtual std::vector<PlatformScreen> screens() = 0;
};

}  // namespace corvella
