// HotKeyCenter: registers shortcuts with the hot-key service and hands each
// press to onTrigger on a later turn of the main queue.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "core/hotkeys/hot_key_target.h"
#include "core/hotkeys/shortcut.h"
#include "core/ports/hot_key_service.h"

namespace corvella {

class MainQueue;

struct HotKeyBinding {
  HotKeyTarget target;
  Shortcut shortcut;
};

// "CRVL" as a big-endian four-character code.
inline constexpr std::uint32_t hotKeySignature = 0x4352564C;

// The service's modifier mask: command 0x100, shift 0x200, option 0x800, control 0x1000.
std::uint32_t carbonModifiers(std::uint64_t modifiers);

// The press handler stays installed in the service and posted work may still
// be queued when the center goes away; both hold it weakly and then do
// nothing. Registrations are not withdrawn on destruction: in the
// application they end with the process.
class HotKeyCenter {
 public:
  HotKeyCenter(HotKeyService& service, MainQueue& mainQueue);
  HotKeyCenter(const HotKeyCenter&) = delete;
  HotKeyCenter& operator=(const HotKeyCenter&) = delete;

  // Replaces every registration by the bindings, numbered 1, 2, ... in order.
  // Gives the targets whose registration failed, in binding order.
  std::vector<HotKeyTarget> registerBindings(const std::vector<HotKeyBinding>& bindings);
  void unregisterAll();

  // Receives every press, read when the posted work runs.
  std::function<void(const HotKeyTarget&)> onTrigger;

  const std::map<std::uint32_t, HotKeyTarget>& targets() const { return targets_; }
  bool handlerInstalled() const { return handlerInstalled_; }

 private:
  void handlePress(HotKeyID id);

  HotKeyService& service_;
  MainQueue& mainQueue_;
  std::vector<HotKeyRef> refs_;
  std::map<std::uint32_t, HotKeyTarget> targets_;
  bool handlerInstalled_ = false;
  // Expires with the center; checked by the press handler and posted work.
  std::shared_ptr<const bool> alive_ = std::make_shared<const bool>(true);
};

}  // namespace corvella
