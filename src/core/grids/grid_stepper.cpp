#include "core/grids/grid_stepper.h"

#include <algorithm>

namespace corvella {

bool canStepUp(std::int64_t value) {
  return value < GridStepperLimits::maximum;
}

bool canStepDown(std::int64_t value) {
  return value > GridStepperLimits::minimum;
}

std::optional<std::int64_t> steppedUp(std::int64_t value) {
  if (!canStepUp(value)) return std::nullopt;
  return std::clamp<std::int64_t>(value + 1, GridStepperLimits::minimum,
                                  GridStepperLimits::maximum);
}

std::optional<std::int64_t> steppedDown(std::int64_t value) {
  if (!canStepDown(value)) return std::nullopt;
  return std::clamp<std::int64_t>(value - 1, GridStepperLimits::minimum,
                                  GridStepperLimits::maximum);
}

}  // namespace corvella
