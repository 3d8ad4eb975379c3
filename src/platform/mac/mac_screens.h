// MacScreens: every NSScreen's frame and visible frame, primary first.
#pragma once

#include "core/ports/screens.h"

namespace corvella::mac {

class MacScreens final : public Screens {
 public:
  std::vector<PlatformScreen> screens() override;
};

}  // namespace corvella::mac
