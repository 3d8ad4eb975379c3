// MacLocalizer: the main bundle's Localizable.strings, English text as key.
#pragma once

#include "core/ports/localizer.h"

namespace corvella::mac {

class MacLocalizer final : public Localizer {
 public:
  std::string localized(std::string_view englishText) override;
};

}  // namespace corvella::mac
