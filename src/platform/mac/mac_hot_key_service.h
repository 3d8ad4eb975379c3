// MacHotKeyService: global shortcuts through the Carbon event manager's hot keys.
#pragma once

#include <Carbon/Carbon.h>

#include <map>

#include "core/ports/hot_key_service.h"

namespace corvella::mac {

// Lives for the whole process: the installed handler refers to it.
class MacHotKeyService final : public HotKeyService {
 public:
  MacHotKeyService() = default;
  MacHotKeyService(const MacHotKeyService&) = delete;
  MacHotKeyService& operator=(const MacHotKeyService&) = delete;

  void installPressHandler(std::function<void(HotKeyID)> handler) override;
  std::optional<HotKeyRef> registerHotKey(std::uint32_t keyCode, std::uint32_t modifiers,
                                          HotKeyID id) override;
  void unregisterHotKey(HotKeyRef ref) override;

 private:
  static OSStatus handleEvent(EventHandlerCallRef next, EventRef event, void* service);

  std::function<void(HotKeyID)> handler_;
  bool installed_ = false;
  std::map<HotKeyRef, EventHotKeyRef> registrations_;
  HotKeyRef nextRef_ = 1;
};

}  // namespace corvella::mac
