// X11HotKeyService: global shortcuts as passive key grabs on the root window.
//
// A combination is grabbed once for each state of Caps Lock and Num Lock, so
// it works whatever the lock lights say. Another client holding the
// combination makes the server refuse the grab (BadAccess); the requests are
// checked, so the refusal comes back after a round trip as that
// registration's failure instead of reaching an error handler. A combination
// this service already holds is refused too, as the platform's hot-key
// service does. ⌘ is Super (Mod4), ⌥ Alt (Mod1), ⌃ Control, ⇧ Shift.
//
// Presses call the handler from the main loop's event dispatch; a held key's
// repeats do not count as new presses.
#pragma once

#include <xcb/xcb.h>

#include <functional>
#include <set>
#include <vector>

#include "core/ports/hot_key_service.h"
#include "platform/x11/x11_connection.h"
#include "platform/x11/x11_keyboard.h"

namespace corvella::x11 {

// The X modifier state for the service mask (command 0x100, shift 0x200,
// option 0x800, control 0x1000); other bits are ignored.
std::uint16_t xModifiers(std::uint32_t serviceModifiers);

class X11HotKeyService final : public HotKeyService {
 public:
  X11HotKeyService(X11Connection& connection, X11Keyboard& keyboard)
      : connection_(connection), keyboard_(keyboard) {}

  void installPressHandler(std::function<void(HotKeyID)> handler) override;
  std::optional<HotKeyRef> registerHotKey(std::uint32_t keyCode, std::uint32_t modifiers,
                                          HotKeyID id) override;
  void unregisterHotKey(HotKeyRef ref) override;

  // Key presses and releases of the grabs; gives whether the event was one.
  bool handleEvent(const xcb_generic_event_t& event);

 private:
  struct Grab {
    HotKeyRef ref;
    xcb_keycode_t key;
    std::uint16_t modifiers;
    HotKeyID id;
  };
  std::vector<std::uint16_t> lockVariants(std::uint16_t modifiers);

  X11Connection& connection_;
  X11Keyboard& keyboard_;
  std::function<void(HotKeyID)> handler_;
  std::vector<Grab> grabs_;
  std::set<xcb_keycode_t> held_;
  HotKeyRef nextRef_ = 1;
};

}  // namespace corvella::x11
