// X11Workspace: the frontmost application is the one owning _NET_ACTIVE_WINDOW
// (its _NET_WM_PID), named by the class part of that window's WM_CLASS.
// There is no permission to open on X11, so openAccessibilitySettings does
// nothing; links are handed to xdg-open.
#pragma once

#include "core/ports/workspace.h"
#include "platform/x11/x11_work_cache.h"

namespace corvella::x11 {

class X11Workspace final : public Workspace {
 public:
  explicit X11Workspace(X11WorkCache& cache) : cache_(cache) {}
  std::optional<RunningApplication> frontmostApplication() override;
  void openURL(const std::string& url) override;
  void openAccessibilitySettings() override {}

 private:
  X11WorkCache& cache_;
};

}  // namespace corvella::x11
