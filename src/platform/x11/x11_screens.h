// X11Screens: the Screens port over RandR monitors and the struts of the
// managed clients (docks and panels), converted to platform space; what
// X11DesktopState knows of them.
#pragma once

#include "core/ports/screens.h"
#include "platform/x11/x11_desktop_state.h"

namespace corvella::x11 {

class X11Screens final : public Screens {
 public:
  explicit X11Screens(X11DesktopState& desktop) : desktop_(desktop) {}
  std::vector<PlatformScreen> screens() override { return desktop_.screens(); }

 private:
  X11DesktopState& desktop_;
};

}  // namespace corvella::x11
