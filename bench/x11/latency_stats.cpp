#include "latency_stats.h"

#include <algorithm>
#include <cmath>

namespace corvella::latency {

double percentile(std::vector<double> samples, double p) {
  if (samples.empty()) return 0;
  std::sort(samples.begin(), samples.end());
  const double rank = std::ceil(p / 100.0 * static_cast<double>(samples.size()));
  const auto index = static_cast<std::size_t>(std::clamp(rank, 1.0, double(samples.size()))) - 1;
  return samples[index];
}

}  // namespace corvella::latency
