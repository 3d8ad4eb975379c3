#include "platform/mac/mac_hot_key_service.h"

namespace corvella::mac {

void MacHotKeyService::installPressHandler(std::function<void(HotKeyID)> handler) {
  handler_ = std::move(handler);
  if (installed_) return;
  installed_ = true;
  const EventTypeSpec pressed{kEventClassKeyboard, kEventHotKeyPressed};
  InstallEventHandler(GetApplicationEventTarget(), &MacHotKeyService::handleEvent, 1, &pressed,
                      this, nullptr);
}

std::optional<HotKeyRef> MacHotKeyService::registerHotKey(std::uint32_t keyCode,
                                                          std::uint32_t modifiers, HotKeyID id) {
  const EventHotKeyID hotKeyID{id.signature, id.id};
  EventHotKeyRef registration = nullptr;
  const OSStatus status = RegisterEventHotKey(keyCode, modifiers, hotKeyID,
                                              GetApplicationEventTarget(), 0, &registration);
  if (status != noErr || !registration) return std::nullopt;
  const HotKeyRef ref = nextRef_++;
  registrations_.emplace(ref, registration);
  return ref;
}

void MacHotKeyService::unregisterHotKey(HotKeyRef ref) {
  auto found = registrations_.find(ref);
  if (found == registrations_.end()) return;
  UnregisterEventHotKey(found->second);
  registrations_.erase(found);
}

OSStatus MacHotKeyService::handleEvent(EventHandlerCallRef, EventRef event, void* service) {
  // Zeros stay when the identity cannot be read; the core ignores number 0.
  EventHotKeyID pressed{0, 0};
  GetEventParameter(event, kEventParamDirectObject, typeEventHotKeyID, nullptr, sizeof(pressed),
                    nullptr, &pressed);
  auto* self = static_cast<MacHotKeyService*>(service);
  if (self->handler_) self->handler_(HotKeyID{pressed.signature, pressed.id});
  return noErr;
}

}  // namespace corvella::mac
