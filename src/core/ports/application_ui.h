// ApplicationUI: what the application shell draws. The core decides every
// text, item and order; a shell only renders and forwards.
#pragma once

#include <string>

namespace corvella {

enum class ActivationPolicy : int { regular = 0, accessory = 1 };

class ApplicationUI {
 public:
  virtual ~ApplicationUI() = default;
  virtual void setActivationPolicy(ActivationPolicy policy) = 0;
  virtual void activate() = 0;
  // The status item of square length with the system symbol and its
  // accessibility description; its menu is rebuilt by the core on each opening.
  virtual void createStatusItem(const std::string& symbolName,
                                const std::string& accessibilityDescription) = 0;
};

}  // namespace corvella
