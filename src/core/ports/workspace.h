// Workspace: the frontmost application and opening system links.
#pragma once

#include <optional>
#include <string>

#include "core/ports/accessibility.h"

namespace corvella {

struct RunningApplication {
  ProcessID processIdentifier = 0;
  std::optional<std::string> localizedName;
  friend bool operator==(const RunningApplication&, const RunningApplication&) = default;
};

class Workspace {
 public:
  virtual ~Workspace() = default;
  virtual std::optional<RunningApplication> frontmostApplication() = 0;
  // Opens a link; the result is ignored by callers.
  virtual void openURL(const std::string& url) = 0;
  // Opens the platform's settings where the user allows Accessibility control
  // (on macOS the Accessibility list of the privacy pane).
  virtual void openAccessibilitySettings() = 0;
};

}  // namespace corvella
