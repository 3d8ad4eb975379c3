#include "platform/x11/x11_keyboard.h"

#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit
#include <xkbcommon/xkbcommon-x11.h>

#include <vector>

namespace corvella::x11 {

std::unique_ptr<X11Keyboard> X11Keyboard::create(X11Connection& connection, std::string* error) {
  std::unique_ptr<X11Keyboard> self(new X11Keyboard(connection));
  std::uint8_t firstError = 0;
  if (!xkb_x11_setup_xkb_extension(connection.xcb(), XKB_X11_MIN_MAJOR_XKB_VERSION,
                                   XKB_X11_MIN_MINOR_XKB_VERSION,
                                   XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr,
                                   &self->xkbFirstEvent_, &firstError)) {
    if (error) *error = "the X server lacks the XKB extension";
    return nullptr;
  }
  self->device_ = xkb_x11_get_core_keyboard_device_id(connection.xcb());
  self->context_ = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
  if (self->device_ < 0 || !self->context_) {
    if (error) *error = "no core keyboard";
    return nullptr;
  }
  // Held keys repeat as presses without releases, so a repeat can be told apart.
  const std::uint32_t detectable = XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT;
  xcb_xkb_per_client_flags(connection.xcb(), XCB_XKB_ID_USE_CORE_KBD, detectable, detectable, 0, 0,
                           0);
  const std::uint16_t events =
      XCB_XKB_EVENT_TYPE_NEW_KEYBOARD_NOTIFY | XCB_XKB_EVENT_TYPE_MAP_NOTIFY;
  xcb_xkb_select_events(connection.xcb(), XCB_XKB_ID_USE_CORE_KBD, events, 0, events, 0xff, 0xff,
                        nullptr);
  return self;
}

X11Keyboard::~X11Keyboard() {
  if (keymap_) xkb_keymap_unref(keymap_);
  if (context_) xkb_context_unref(context_);
}

xkb_keymap* X11Keyboard::keymap() {
  if (!keymap_) {
    keymap_ = xkb_x11_keymap_new_from_device(context_, connection_.xcb(), device_,
                                             XKB_KEYMAP_COMPILE_NO_FLAGS);
  }
  return keymap_;
}

std::optional<std::string> X11Keyboard::unshiftedText(xcb_keycode_t key) {
  xkb_keymap* map = keymap();
  if (!map) return std::nullopt;
  auto state = connection_.reply(xcb_xkb_get_state_reply,
                                 xcb_xkb_get_state(connection_.xcb(), XCB_XKB_ID_USE_CORE_KBD));
  const xkb_layout_index_t layouts = xkb_keymap_num_layouts_for_key(map, key);
  if (layouts == 0) return std::nullopt;
  const xkb_layout_index_t layout = state ? state->group % layouts : 0;
  const xkb_keysym_t* symbols = nullptr;
  const int count = xkb_keymap_key_get_syms_by_level(map, key, layout, 0, &symbols);
  if (count < 1) return std::nullopt;
  char text[64];
  const int length = xkb_keysym_to_utf8(symbols[0], text, sizeof text);
  if (length <= 1) return std::nullopt;  // the count includes the terminating NUL
  return std::string(text, static_cast<std::size_t>(length - 1));
}

std::uint16_t X11Keyboard::numLockMask() {
  if (numLockMask_) return *numLockMask_;
  numLockMask_ = 0;
  xkb_keymap* map = keymap();
  auto modifiers = connection_.reply(xcb_get_modifier_mapping_reply,
                                     xcb_get_modifier_mapping(connection_.xcb()));
  if (!map || !modifiers) return 0;
  const xcb_keycode_t* keys = xcb_get_modifier_mapping_keycodes(modifiers.get());
  const int perModifier = modifiers->keycodes_per_modifier;
  for (int modifier = 0; modifier < 8; ++modifier) {
    for (int i = 0; i < perModifier; ++i) {
      const xcb_keycode_t key = keys[modifier * perModifier + i];
      if (key == 0) continue;
      const xkb_keysym_t* symbols = nullptr;
      const int count = xkb_keymap_key_get_syms_by_level(map, key, 0, 0, &symbols);
      for (int s = 0; s < count; ++s) {
        if (symbols[s] == XKB_KEY_Num_Lock)
          numLockMask_ = static_cast<std::uint16_t>(1 << modifier);
      }
    }
  }
  return *numLockMask_;
}

bool X11Keyboard::handleEvent(const xcb_generic_event_t& event) {
  const std::uint8_t type = eventType(event);
  bool changed = type == XCB_MAPPING_NOTIFY;
  if (type == xkbFirstEvent_) {
    // All XKB events share one event code and carry their kind next.
    const auto kind = reinterpret_cast<const std::uint8_t*>(&event)[1];
    changed = kind == XCB_XKB_NEW_KEYBOARD_NOTIFY || kind == XCB_XKB_MAP_NOTIFY;
  }
  if (!changed) return false;
  if (keymap_) xkb_keymap_unref(keymap_);
  keymap_ = nullptr;
  numLockMask_.reset();
  return true;
}

}  // namespace corvella::x11
