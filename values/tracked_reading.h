#pragma once

#include <cstdint>

namespace trelvox {

// One reading as a number: the integer a sensor sent and its decimal scale (value = number /
// 10^scale, or number * 10^-scale for a negative scale). A reading that never arrived is absent.
struct Reading {
  std::int64_t number = 0;
  std::int8_t scale = 0;
  bool present = false;

  // The value in its item's unit; 0.0 when absent.
  double value() const;
};

// The latest, largest and smallest reading of one item, held in 64 bits whatever the item's
// element so that every item sits in one flat array. `mark` is the element's no-reading value: a
// reading equal to it cannot be told from none, so the next reading starts afresh.
struct TrackedReading {
  std::int64_t current;
  std::int64_t largest;
  std::int64_t smallest;
  std::int64_t mark;

  explicit constexpr TrackedReading(std::int64_t noReading = 0)
      : current(noReading), largest(noReading), smallest(noReading), mark(noReading) {}

  bool hasCurrent() const { return current != mark; }

  void record(std::int64_t v) {
    if (current == mark) {
      current = largest = smallest = v;
      return;
    }
    current = v;
    if (largest < v) largest = v;
    if (v < smallest) smallest = v;
  }
};

}  // namespace trelvox
