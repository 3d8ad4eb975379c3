// X11Workspace: the frontmost application is the one owning _NET_ACTIVE_WINDOW
// (X11Applications: its WM_CLASS class, else its X client), named by the
// class part of that window's WM_CLASS.
// There is no permission to open on X11, so openAccessibilitySettings does
// nothing; links are handed to xdg-open.
#pragma once

#include "core/ports/workspace.h"
#include "platform/x11/x11_applications.h"
#include "platform/x11/x11_work_cache.h"

namespace corvella::x11 {

class X11Workspace final : public Workspace {
 public:
  X11Workspace(X11WorkCache& cache, X11Applications& applications)
      : cache_(cache), applications_(applications) {}
  std::optional<RunningApplication> frontmostApplication() override;
  void openURL(const std::string& url) override;
  void openAccessibilitySettings() override {}

 private:
  X11WorkCache& cache_;
  X11Applications& applications_;
};

}  // namespace corvella::x11
