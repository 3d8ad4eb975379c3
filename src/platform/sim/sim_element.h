// SimElement: an Accessibility element of the simulated desktop, naming an
// application by its pid or a window by its id. Every read hands out a fresh
// element object, so the core must compare elements with equals(), as it
// must with the real platform's references.
#pragma once

#include <cstdint>
#include <memory>

#include "core/ports/accessibility.h"

namespace corvella::sim {

using SimWindowId = std::uint32_t;

class SimElement final : public PlatformElement {
 public:
  enum class Kind { application, window };

  SimElement(Kind kind, std::uint64_t identity) : kind_(kind), identity_(identity) {}

  static ElementRef application(ProcessID pid);
  static ElementRef window(SimWindowId id);

  bool equals(const PlatformElement& other) const override;

  Kind kind() const { return kind_; }
  ProcessID pid() const { return static_cast<ProcessID>(identity_); }
  SimWindowId windowId() const { return static_cast<SimWindowId>(identity_); }

 private:
  Kind kind_;
  std::uint64_t identity_;
};

// The simulated element behind a reference, or null for a null reference or
// an element of another platform.
const SimElement* asSimElement(const ElementRef& element);

}  // namespace corvella::sim
