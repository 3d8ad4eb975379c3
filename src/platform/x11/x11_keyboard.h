// X11Keyboard: the server's current keymap through xkbcommon, fetched again
// after the keyboard mapping changes, and the modifier bit of Num Lock.
#pragma once

#include <xcb/xcb.h>
#include <xkbcommon/xkbcommon.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/x11/x11_connection.h"

namespace corvella::x11 {

class X11Keyboard {
 public:
  // Absent, with the reason in *error, without the XKB extension.
  static std::unique_ptr<X11Keyboard> create(X11Connection& connection, std::string* error);
  ~X11Keyboard();
  X11Keyboard(const X11Keyboard&) = delete;
  X11Keyboard& operator=(const X11Keyboard&) = delete;

  // The text the current layout gives for the X key code with no modifiers;
  // absent when it gives none.
  std::optional<std::string> unshiftedText(xcb_keycode_t key);
  // The modifier bit Num Lock sets (0 when no key sets it).
  std::uint16_t numLockMask();
  // A mapping change (core MappingNotify or XKB notify) makes the next use
  // fetch the keymap again. Gives whether the event was one.
  bool handleEvent(const xcb_generic_event_t& event);

 private:
  explicit X11Keyboard(X11Connection& connection) : connection_(connection) {}
  xkb_keymap* keymap();

  X11Connection& connection_;
  xkb_context* context_ = nullptr;
  xkb_keymap* keymap_ = nullptr;
  std::int32_t device_ = -1;
  std::uint8_t xkbFirstEvent_ = 0;
  std::optional<std::uint16_t> numLockMask_;
};

}  // namespace corvella::x11
