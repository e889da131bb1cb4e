#pragma once

// What stands out across a model's logs. A log's figure is held against the same figure of that
// model's up to 20 most recent earlier logs that have it: it stands out when it lies beyond
// median ± 3 × max(1.4826 × MAD, 2% of |median|) of those values in the direction that is bad for
// the figure, and it is judged only when there are at least 5 such earlier values. The floor of
// 2% keeps a steady series (a receiver at 5.1 V every time) from calling every hundredth of a volt
// an outlier.

#include <cstddef>
#include <optional>
#include <span>

namespace trelvox {

inline constexpr std::size_t kMostEarlierLogs = 20;
inline constexpr std::size_t kFewestEarlierLogs = 5;

// Which way a figure goes wrong: a receiver voltage down, a current or temperature up.
enum class BadDirection { kLower, kHigher };

// The usual range of a figure over the earlier logs.
struct UsualBand {
  double median;
  double low;
  double high;
  std::size_t earlierLogs;
};

// The band of `earlier` (in time order; only the last kMostEarlierLogs count), or none with fewer
// than kFewestEarlierLogs values.
std::optional<UsualBand> usualBand(std::span<const double> earlier);

// Whether `value` lies beyond the band in the bad direction.
bool standsOut(double value, const UsualBand& band, BadDirection bad);

}  // namespace trelvox
