// SimHotKeyService: a system-wide hot-key registry. A combination (key code
// and service modifier mask, compared exactly) is refused while another
// application holds it or while this process already holds it. press()
// delivers a registered combination's HotKeyID to the installed handler(s)
// synchronously, as the system does on the main thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "core/ports/hot_key_service.h"
#include "platform/sim/sim_desktop.h"

namespace corvella::sim {

struct SimHotKeyRegistration {
  HotKeyRef ref = 0;
  std::uint32_t keyCode = 0;
  std::uint32_t modifiers = 0;
  HotKeyID id;
  friend bool operator==(const SimHotKeyRegistration&, const SimHotKeyRegistration&) = default;
};

class SimHotKeyService final : public HotKeyService {
 public:
  explicit SimHotKeyService(SimDesktop& desktop) : desktop_(desktop) {}

  void installPressHandler(std::function<void(HotKeyID)> handler) override;
  std::optional<HotKeyRef> registerHotKey(std::uint32_t keyCode, std::uint32_t modifiers,
                                          HotKeyID id) override;
  void unregisterHotKey(HotKeyRef ref) override;

  // Another application takes or frees a combination.
  void occupyByAnotherApplication(std::uint32_t keyCode, std::uint32_t modifiers);
  void releaseByAnotherApplication(std::uint32_t keyCode, std::uint32_t modifiers);

  // The user presses a combination. Gives whether a registration of this
  // process matched (its id then went to every installed handler, in install
  // order).
  bool press(std::uint32_t keyCode, std::uint32_t modifiers);
  // Delivers an id as is, e.g. all zeros for an event whose id cannot be read.
  void deliver(HotKeyID id);

  // This process's registrations, in registration order.
  const std::vector<SimHotKeyRegistration>& registrations() const { return registrations_; }
  std::optional<SimHotKeyRegistration> registrationFor(std::uint32_t keyCode,
                                                       std::uint32_t modifiers) const;
  std::size_t handlerInstallCount() const { return handlers_.size(); }
  // Registration attempts so far, successful or refused.
  std::size_t registerCallCount() const { return registerCalls_; }
  std::size_t unregisterCallCount() const { return unregisterCalls_; }

 private:
  SimDesktop& desktop_;
  std::vector<std::function<void(HotKeyID)>> handlers_;
  std::vector<SimHotKeyRegistration> registrations_;
  std::set<std::pair<std::uint32_t, std::uint32_t>> heldElsewhere_;
  HotKeyRef nextRef_ = 1;
  std::size_t registerCalls_ = 0;
  std::size_t unregisterCalls_ = 0;
};

}  // namespace corvella::sim
