// The interval of a repeating timer, as both main loops take it.
#pragma once

#include <chrono>
#include <cmath>

namespace corvella::x11 {

// Shorter intervals (and ones that are not numbers) would keep a loop
// spinning; they become the shortest one. Longer than a year would overflow
// the clocks' tick counts.
inline std::chrono::duration<double> timerInterval(double seconds) {
  constexpr double shortest = 0.0001;
  constexpr double longest = 365.0 * 24 * 60 * 60;
  if (!std::isfinite(seconds) || seconds < shortest) seconds = shortest;
  if (seconds > longest) seconds = longest;
  return std::chrono::duration<double>(seconds);
}

}  // namespace corvella::x11
