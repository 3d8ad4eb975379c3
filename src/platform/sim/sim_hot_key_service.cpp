#include "platform/sim/sim_hot_key_service.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace corvella::sim {

namespace {

std::string combination(std::uint32_t keyCode, std::uint32_t modifiers) {
  char mask[16];
  std::snprintf(mask, sizeof mask, "0x%X", modifiers);
  return std::to_string(keyCode) + " " + mask;
}

}  // namespace

void SimHotKeyService::installPressHandler(std::function<void(HotKeyID)> handler) {
  desktop_.record(portCall(SimPort::hotKeyService, "installPressHandler"));
  handlers_.push_back(std::move(handler));
}

std::optional<HotKeyRef> SimHotKeyService::registerHotKey(std::uint32_t keyCode,
                                                          std::uint32_t modifiers, HotKeyID id) {
  desktop_.record(portCall(SimPort::hotKeyService, "registerHotKey",
                           combination(keyCode, modifiers), "#" + std::to_string(id.id)));
  ++registerCalls_;
  if (heldElsewhere_.contains({keyCode, modifiers})) return std::nullopt;
  if (registrationFor(keyCode, modifiers)) return std::nullopt;
  const HotKeyRef ref = nextRef_++;
  registrations_.push_back({ref, keyCode, modifiers, id});
  return ref;
}

void SimHotKeyService::unregisterHotKey(HotKeyRef ref) {
  desktop_.record(
      portCall(SimPort::hotKeyService, "unregisterHotKey", "ref" + std::to_string(ref)));
  ++unregisterCalls_;
  std::erase_if(registrations_, [ref](const auto& held) { return held.ref == ref; });
}

void SimHotKeyService::occupyByAnotherApplication(std::uint32_t keyCode, std::uint32_t modifiers) {
  heldElsewhere_.insert({keyCode, modifiers});
}

void SimHotKeyService::releaseByAnotherApplication(std::uint32_t keyCode, std::uint32_t modifiers) {
  heldElsewhere_.erase({keyCode, modifiers});
}

bool SimHotKeyService::press(std::uint32_t keyCode, std::uint32_t modifiers) {
  const std::optional<SimHotKeyRegistration> held = registrationFor(keyCode, modifiers);
  if (!held) return false;
  deliver(held->id);
  return true;
}

void SimHotKeyService::deliver(HotKeyID id) {
  // A copy: a handler may install another while it runs.
  const auto handlers = handlers_;
  for (const auto& handler : handlers) {
    if (handler) handler(id);
  }
}

std::optional<SimHotKeyRegistration> SimHotKeyService::registrationFor(
    std::uint32_t keyCode, std::uint32_t modifiers) const {
  auto found = std::find_if(registrations_.begin(), registrations_.end(), [&](const auto& held) {
    return held.keyCode == keyCode && held.modifiers == modifiers;
  });
  if (found == registrations_.end()) return std::nullopt;
  return *found;
}

}  // namespace corvella::sim
