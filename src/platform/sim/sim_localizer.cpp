#include "platform/sim/sim_localizer.h"

namespace corvella::sim {

std::string SimLocalizer::localized(std::string_view englishText) {
  desktop_.record(portCall(SimPort::localizer, "localized", std::string(englishText)));
  if (auto found = translations_.find(englishText); found != translations_.end()) {
    return found->second;
  }
  return std::string(englishText);
}

void SimLocalizer::setTranslation(const std::string& englishText, std::string translation) {
  translations_.insert_or_assign(englishText, std::move(translation));
}

}  // namespace corvella::sim
