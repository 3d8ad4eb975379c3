#include "platform/x11/x11_hot_key_service.h"

#include <algorithm>

#include "platform/x11/mac_key_codes.h"

namespace corvella::x11 {
namespace {

constexpr std::uint16_t relevantModifiers =
    XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;

}  // namespace

std::uint16_t xModifiers(std::uint32_t serviceModifiers) {
  std::uint16_t state = 0;
  if (serviceModifiers & 0x100) state |= XCB_MOD_MASK_4;
  if (serviceModifiers & 0x200) state |= XCB_MOD_MASK_SHIFT;
  if (serviceModifiers & 0x800) state |= XCB_MOD_MASK_1;
  if (serviceModifiers & 0x1000) state |= XCB_MOD_MASK_CONTROL;
  return state;
}

void X11HotKeyService::installPressHandler(std::function<void(HotKeyID)> handler) {
  handler_ = std::move(handler);
}

std::vector<std::uint16_t> X11HotKeyService::lockVariants(std::uint16_t modifiers) {
  const std::uint16_t numLock = keyboard_.numLockMask();
  std::vector<std::uint16_t> variants;
  for (std::uint16_t locks : {std::uint16_t{0}, std::uint16_t{XCB_MOD_MASK_LOCK}, numLock,
                              static_cast<std::uint16_t>(XCB_MOD_MASK_LOCK | numLock)}) {
    const auto variant = static_cast<std::uint16_t>(modifiers | locks);
    if (std::find(variants.begin(), variants.end(), variant) == variants.end()) {
      variants.push_back(variant);
    }
  }
  return variants;
}

std::optional<HotKeyRef> X11HotKeyService::registerHotKey(std::uint32_t keyCode,
                                                          std::uint32_t modifiers, HotKeyID id) {
  auto key = xKeyCode(keyCode);
  if (!key) return std::nullopt;
  const std::uint16_t state = xModifiers(modifiers);
  const bool held = std::any_of(grabs_.begin(), grabs_.end(), [&](const Grab& grab) {
    return grab.key == *key && grab.modifiers == state;
  });
  if (held) return std::nullopt;

  const auto variants = lockVariants(state);
  std::vector<xcb_void_cookie_t> cookies;
  for (std::uint16_t variant : variants) {
    cookies.push_back(xcb_grab_key_checked(connection_.xcb(), 1, connection_.root(), variant, *key,
                                           XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    connection_.noteSent(cookies.back().sequence);
  }
  bool refused = false;
  for (auto cookie : cookies) {
    if (connection_.check(cookie)) refused = true;
  }
  if (refused) {
    // Releases only what this client got; another client's grab stays.
    for (std::uint16_t variant : variants) {
      xcb_ungrab_key(connection_.xcb(), *key, connection_.root(), variant);
    }
    connection_.flush();
    return std::nullopt;
  }
  const HotKeyRef ref = nextRef_++;
  grabs_.push_back(Grab{ref, *key, state, id});
  return ref;
}

void X11HotKeyService::unregisterHotKey(HotKeyRef ref) {
  auto grab = std::find_if(grabs_.begin(), grabs_.end(),
                           [ref](const Grab& candidate) { return candidate.ref == ref; });
  if (grab == grabs_.end()) return;
  for (std::uint16_t variant : lockVariants(grab->modifiers)) {
    xcb_ungrab_key(connection_.xcb(), grab->key, connection_.root(), variant);
  }
  connection_.flush();
  grabs_.erase(grab);
}

bool X11HotKeyService::handleEvent(const xcb_generic_event_t& event) {
  const std::uint8_t type = eventType(event);
  if (type == XCB_KEY_RELEASE) {
    held_.erase(reinterpret_cast<const xcb_key_release_event_t&>(event).detail);
    return true;
  }
  if (type != XCB_KEY_PRESS) return false;
  const auto& press = reinterpret_cast<const xcb_key_press_event_t&>(event);
  if (!held_.insert(press.detail).second) return true;  // a repeat of a held key
  const std::uint16_t state = press.state & relevantModifiers;
  for (const Grab& grab : grabs_) {
    if (grab.key == press.detail && grab.modifiers == state) {
      if (handler_) handler_(grab.id);
      return true;
    }
  }
  return true;
}

}  // namespace corvella::x11
