// The columns and rows steppers of a settings row: range 1 to 12, step 1.
#pragma once

#include <cstdint>
#include <optional>

namespace corvella {

namespace GridStepperLimits {
inline constexpr std::int64_t minimum = 1;
inline constexpr std::int64_t maximum = 12;
}  // namespace GridStepperLimits

// A hand-edited value outside the range is shown as stored. A step never
// takes it further out: only the button pointing toward the range is
// enabled, and its step lands inside the range (0 up gives 1, 40 down
// gives 12).
bool canStepUp(std::int64_t value);
bool canStepDown(std::int64_t value);
// The value after one step, or none when that button is disabled.
std::optional<std::int64_t> steppedUp(std::int64_t value);
std::optional<std::int64_t> steppedDown(std::int64_t value);

}  // namespace corvella
