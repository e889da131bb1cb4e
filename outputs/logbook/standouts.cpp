#include "outputs/logbook/standouts.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace trelvox {
namespace {

// The scale that makes a MAD estimate the standard deviation of normally spread values.
constexpr double kMadScale = 1.4826;
constexpr double kSmallestSpreadShare = 0.02;
constexpr double kSpreads = 3;

double medianOf(std::vector<double> values) {
  const std::size_t middle = values.size() / 2;
  std::ranges::nth_element(values, values.begin() + static_cast<std::ptrdiff_t>(middle));
  const double upper = values[middle];
  if (values.size() % 2 == 1) return upper;
  const double lower =
      *std::max_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(middle));
  return (lower + upper) / 2;
}

}  // namespace

std::optional<UsualBand> usualBand(std::span<const double> earlier) {
  if (earlier.size() > kMostEarlierLogs) earlier = earlier.last(kMostEarlierLogs);
  if (earlier.size() < kFewestEarlierLogs) return std::nullopt;
  const double median = medianOf({earlier.begin(), earlier.end()});
  std::vector<double> deviations;
  for (const double value : earlier) deviations.push_back(std::fabs(value - median));
  const double spread = std::max(kMadScale * medianOf(std::move(deviations)),
                                 kSmallestSpreadShare * std::fabs(median));
  return UsualBand{median, median - kSpreads * spread, median + kSpreads * spread, earlier.size()};
}

bool standsOut(double value, const UsualBand& band, BadDirection bad) {
  return bad == BadDirection::kLower ? value < band.low : value > band.high;
}

}  // namespace trelvox
