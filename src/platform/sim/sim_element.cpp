#include "platform/sim/sim_element.h"

namespace corvella::sim {

ElementRef SimElement::application(ProcessID pid) {
  return std::make_shared<const SimElement>(
      Kind::application, static_cast<std::uint64_t>(static_cast<std::uint32_t>(pid)));
}

ElementRef SimElement::window(SimWindowId id) {
  return std::make_shared<const SimElement>(Kind::window, id);
}

bool SimElement::equals(const PlatformElement& other) const {
  const auto* sim = dynamic_cast<const SimElement*>(&other);
  return sim && sim->kind_ == kind_ && sim->identity_ == identity_;
}

const SimElement* asSimElement(const ElementRef& element) {
  return dynamic_cast<const SimElement*>(element.get());
}

}  // namespace corvella::sim
