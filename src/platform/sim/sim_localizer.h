// SimLocalizer: gives each English text back unless a translation is set.
#pragma once

#include <map>
#include <string>

#include "core/ports/localizer.h"
#include "platform/sim/sim_desktop.h"

namespace corvella::sim {

class SimLocalizer final : public Localizer {
 public:
  explicit SimLocalizer(SimDesktop& desktop) : desktop_(desktop) {}

  std::string localized(std::string_view englishText) override;

  void setTranslation(const std::string& englishText, std::string translation);

 private:
  SimDesktop& desktop_;
  std::map<std::string, std::string, std::less<>> translations_;
};

}  // namespace corvella::sim
