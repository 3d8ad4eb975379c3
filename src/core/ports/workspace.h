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
  // Opens a link (the permission settings); the result is ignored by callers.
  virtual void openURL(const std::string& url) = 0;
};

}  // namespace corvella
