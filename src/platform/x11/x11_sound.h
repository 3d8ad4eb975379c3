// X11Sound: the beep is the X bell.
#pragma once

#include "core/ports/sound.h"
#include "platform/x11/x11_connection.h"

namespace corvella::x11 {

class X11Sound final : public Sound {
 public:
  explicit X11Sound(X11Connection& connection) : connection_(connection) {}
  void beep() override {
    xcb_bell(connection_.xcb(), 0);
    connection_.flush();
  }

 private:
  X11Connection& connection_;
};

}  // namespace corvella::x11
