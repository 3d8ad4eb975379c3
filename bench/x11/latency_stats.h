// Percentiles of measured latencies, in milliseconds.
#pragma once

#include <vector>

namespace corvella::latency {

// The p-th percentile (0 to 100) by the nearest-rank method; 0 for no samples.
double percentile(std::vector<double> samples, double p);

}  // namespace corvella::latency
