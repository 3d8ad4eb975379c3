// MacWorkspace: the frontmost application and system links, over NSWorkspace.
#pragma once

#include "core/ports/workspace.h"

namespace corvella::mac {

class MacWorkspace final : public Workspace {
 public:
  std::optional<RunningApplication> frontmostApplication() override;
  void openURL(const std::string& url) override;
  void openAccessibilitySettings() override;
};

}  // namespace corvella::mac
