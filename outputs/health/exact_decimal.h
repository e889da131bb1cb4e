#pragma once

// Exact comparison of decimals kept as Readings (digits and decimal scale): doubles would make
// 4.8 V a hair below a limit of 4.8.

#include <cstdint>
#include <limits>

#include "values/record_clock.h"
#include "values/tracked_reading.h"

namespace trelvox {

// Products of limits, cells and powers of ten stay far inside 128 bits (limits are below 10^12
// with at most 9 decimals, cells at most 100, scales at most a few digits).
__extension__ using WideInteger = __int128;

inline WideInteger powerOfTen(int exponent) {
  WideInteger power = 1;
  for (int e = 0; e < exponent; ++e) power *= 10;
  return power;
}

// -1, 0 or 1 as a is below, equal to or above b.
inline int compareExact(const Reading& a, const Reading& b) {
  const int scale = a.scale > b.scale ? a.scale : b.scale;
  const WideInteger left = a.number * powerOfTen(scale - a.scale);
  const WideInteger right = b.number * powerOfTen(scale - b.scale);
  return left < right ? -1 : left > right ? 1 : 0;
}

// The bounds on an item's integer readings that a limit means: a reading of number n and scale
// `scale`, divided by `cells`, is below `limit` exactly when n < belowBound, and above it exactly
// when n > aboveBound. Per record the check is then one integer comparison.
struct ReadingBounds {
  std::int64_t belowBound;
  std::int64_t aboveBound;
};

inline std::int64_t clampedToInt64(WideInteger value) {
  constexpr auto kLowest = std::numeric_limits<std::int64_t>::min();
  constexpr auto kHighest = std::numeric_limits<std::int64_t>::max();
  return value < kLowest ? kLowest : value > kHighest ? kHighest : static_cast<std::int64_t>(value);
}

// n / 10^scale / cells compared with limit.number / 10^limit.scale, as n * denominator compared
// with numerator: the bounds are the numerator / denominator rounded up and down.
inline ReadingBounds readingBounds(const Reading& limit, int cells, int scale) {
  const int shift = scale < 0 ? -scale : 0;
  const WideInteger numerator =
      static_cast<WideInteger>(limit.number) * cells * powerOfTen(scale > 0 ? scale : 0);
  const WideInteger denominator = powerOfTen(limit.scale + shift);
  WideInteger floor = numerator / denominator;
  if (numerator % denominator != 0 && numerator < 0) --floor;
  const WideInteger ceiling = numerator % denominator != 0 ? floor + 1 : floor;
  return {clampedToInt64(ceiling), clampedToInt64(floor)};
}

// The bounds on a span of the record clock, in its units, that `seconds` means.
inline ReadingBounds timeUnitBounds(const Reading& seconds) {
  return readingBounds(seconds, 1, kTimeUnitScale);
}

}  // namespace trelvox
