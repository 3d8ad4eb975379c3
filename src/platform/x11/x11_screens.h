// X11Screens: the Screens port over RandR monitors and the struts of the
// managed clients (docks and panels), converted to platform space.
#pragma once

#include "core/ports/screens.h"
#include "platform/x11/x11_connection.h"

namespace corvella::x11 {

class X11Screens final : public Screens {
 public:
  explicit X11Screens(X11Connection& connection) : connection_(connection) {}
  std::vector<PlatformScreen> screens() override;

 private:
  X11Connection& connection_;
};

}  // namespace corvella::x11
