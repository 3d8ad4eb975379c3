// HotKeyService: global shortcuts by key code and modifier mask.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

namespace corvella {

// The identity a registration carries: a four-character signature and a number.
struct HotKeyID {
  std::uint32_t signature = 0;
  std::uint32_t id = 0;
  friend bool operator==(const HotKeyID&, const HotKeyID&) = default;
};

// A successful registration, used only to unregister it.
using HotKeyRef = std::uint64_t;

class HotKeyService {
 public:
  virtual ~HotKeyService() = default;
  // Presses of registered hot keys call the handler on the main thread with
  // the pressed key's identity (all zeros when it cannot be read).
  virtual void installPressHandler(std::function<void(HotKeyID)> handler) = 0;
  // keyCode is the Macintosh virtual key code; modifiers is the service mask
  // (command 0x100, shift 0x200, option 0x800, control 0x1000). Absent when
  // the service refuses the combination.
  virtual std::optional<HotKeyRef> registerHotKey(std::uint32_t keyCode, std::uint32_t modifiers,
                                                  HotKeyID id) = 0;
  virtual void unregisterHotKey(HotKeyRef ref) = 0;
};

}  // namespace corvella
