// X11Sound: the beep. X servers on today's desktops ring their bell silently,
// so the sound theme's "bell" event is played through the sound server
// (libcanberra, PulseAudio or PipeWire's PulseAudio service); the X bell rings
// where no sound server answers or the theme has no bell.
#pragma once

#include "core/ports/sound.h"
#include "platform/x11/x11_connection.h"

struct ca_context;

namespace corvella::x11 {

class X11Sound final : public Sound {
 public:
  explicit X11Sound(X11Connection& connection) : connection_(connection) {}
  ~X11Sound() override;
  X11Sound(const X11Sound&) = delete;
  X11Sound& operator=(const X11Sound&) = delete;

  void beep() override;

 private:
  bool playThemeBell();
  void closeSoundServer();

  X11Connection& connection_;
  // Connected on the first beep; dropped when the server stops answering, so
  // a later beep asks again (a sound server may start after Corvella).
  ca_context* soundServer_ = nullptr;
};

}  // namespace corvella::x11
