#include "core/hotkeys/hot_key_center.h"

#include <utility>

#include "core/ports/main_queue.h"

namespace corvella {

std::uint32_t carbonModifiers(std::uint64_t modifiers) {
  std::uint32_t mask = 0;
  if (modifiers & ModifierFlag::command) mask |= 0x100;
  if (modifiers & ModifierFlag::shift) mask |= 0x200;
  if (modifiers & ModifierFlag::option) mask |= 0x800;
  if (modifiers & ModifierFlag::control) mask |= 0x1000;
  return mask;
}

HotKeyCenter::HotKeyCenter(HotKeyService& service, MainQueue& mainQueue)
    : service_(service), mainQueue_(mainQueue) {}

std::vector<HotKeyTarget> HotKeyCenter::registerBindings(
    const std::vector<HotKeyBinding>& bindings) {
  unregisterAll();
  if (!handlerInstalled_) {
    handlerInstalled_ = true;
    std::weak_ptr<const bool> alive = alive_;
    service_.installPressHandler([this, alive](HotKeyID id) {
      if (alive.expired()) return;
      handlePress(id);
    });
  }
  std::vector<HotKeyTarget> failures;
  for (std::size_t index = 0; index < bindings.size(); ++index) {
    const HotKeyBinding& binding = bindings[index];
    // Numbers are positions: a refused binding still uses up its number.
    const auto number = static_cast<std::uint32_t>(index + 1);
    const std::optional<HotKeyRef> ref = service_.registerHotKey(
        binding.shortcut.keyCode, carbonModifiers(binding.shortcut.modifiers),
        HotKeyID{hotKeySignature, number});
    if (ref) {
      refs_.push_back(*ref);
      targets_.insert_or_assign(number, binding.target);
    } else {
      failures.push_back(binding.target);
    }
  }
  return failures;
}

void HotKeyCenter::unregisterAll() {
  // Swap out first so the center is consistent even if the service calls back.
  std::vector<HotKeyRef> refs = std::exchange(refs_, {});
  targets_.clear();
  for (HotKeyRef ref : refs) service_.unregisterHotKey(ref);
}

void HotKeyCenter::handlePress(HotKeyID id) {
  // Only the number counts; 0 is never assigned and stands for an unreadable id.
  const auto found = targets_.find(id.id);
  if (found == targets_.end()) return;
  std::weak_ptr<const bool> alive = alive_;
  mainQueue_.post([this, alive, target = found->second] {
    if (alive.expired()) return;
    // A copy, so a trigger that replaces onTrigger does not destroy itself.
    auto trigger = onTrigger;
    if (trigger) trigger(target);
  });
}

}  // namespace corvella
