#include "platform/x11/x11_sound.h"

#include <canberra.h>

namespace corvella::x11 {

X11Sound::~X11Sound() {
  closeSoundServer();
}

void X11Sound::beep() {
  if (playThemeBell()) return;
  xcb_bell(connection_.xcb(), 0);
  connection_.flush();
}

bool X11Sound::playThemeBell() {
  if (!soundServer_) {
    if (ca_context_create(&soundServer_) != CA_SUCCESS) {
      soundServer_ = nullptr;
      return false;
    }
    // Only a sound server: a sound card opened directly would play while a
    // desktop's own server holds it, or play nothing where none is set up.
    ca_context_set_driver(soundServer_, "pulse");
    ca_context_change_props(soundServer_, CA_PROP_APPLICATION_NAME, "Corvella",
                            CA_PROP_APPLICATION_ID, "app.corvella.Corvella", nullptr);
    if (ca_context_open(soundServer_) != CA_SUCCESS) {
      closeSoundServer();
      return false;
    }
  }
  if (ca_context_play(soundServer_, 0, CA_PROP_EVENT_ID, "bell", CA_PROP_CANBERRA_CACHE_CONTROL,
                      "permanent", nullptr) != CA_SUCCESS) {
    closeSoundServer();
    return false;
  }
  return true;
}

void X11Sound::closeSoundServer() {
  if (soundServer_) ca_context_destroy(soundServer_);
  soundServer_ = nullptr;
}

}  // namespace corvella::x11
