// Localizer: texts shown to the user, keyed by their English text.
#pragma once

#include <string>
#include <string_view>

namespace corvella {

class Localizer {
 public:
  virtual ~Localizer() = default;
  // The translation for the current locale, or the key itself.
  virtual std::string localized(std::string_view englishText) = 0;
};

}  // namespace corvella
