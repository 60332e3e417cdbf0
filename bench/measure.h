// SPDX-License-Identifier: MIT
// Small tools of the benchmark driver: statistics and what /proc says of a
// process.
#pragma once

#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <string>
#include <vector>

namespace titletype::bench {

/// `values` without their signs.
inline std::vector<double> absolute(std::vector<double> values) {
  for (double& value : values) value = std::abs(value);
  return values;
}

/// The value below which `fraction` of `values` lie (nearest rank).
inline double percentile(std::vector<double> values, double fraction) {
  if (values.empty()) return NAN;
  std::sort(values.begin(), values.end());
  const auto rank =
      static_cast<std::size_t>(std::ceil(fraction * static_cast<double>(values.size())));
  return values[std::clamp<std::size_t>(rank, 1, values.size()) - 1];
}
inline double median(std::vector<double> values) { return percentile(std::move(values), 0.5); }

/// CPU time and voluntary context switches (wake-ups) of a process so far,
/// and its peak resident set size.
struct ProcessCost {
  double cpu_ms = 0;
  long wakeups = 0;
  long peak_rss_kb = 0;
};

inline ProcessCost process_cost(pid_t pid) {
  ProcessCost cost;
  // Nanoseconds on a CPU, far finer than the clock ticks of /proc/PID/stat.
  std::ifstream schedstat("/proc/" + std::to_string(pid) + "/schedstat");
  double cpu_ns = 0;
  if (schedstat >> cpu_ns) cost.cpu_ms = cpu_ns / 1e6;
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("voluntary_ctxt_switches:", 0) == 0) cost.wakeups = std::stol(line.substr(24));
    if (line.rfind("VmHWM:", 0) == 0) cost.peak_rss_kb = std::stol(line.substr(6));
  }
  return cost;
}

}  // namespace titletype::bench
