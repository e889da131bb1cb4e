#pragma once

#include <limits>

#include "sensors/sensor_value.h"
#include "sensors/value_format.h"

namespace trelvox {

// The latest, largest and smallest reading of one quantity. The element type fixes width and
// signedness; its largest value is the mark of "no reading yet", so a reading equal to it cannot be
// told from none and the next reading starts afresh.
template <typename T>
class TrackedValue {
 public:
  static constexpr T kNoReading = std::numeric_limits<T>::max();

  void reset() { current_ = max_ = min_ = kNoReading; }

  void record(T v) {
    if (current_ == kNoReading) {
      current_ = max_ = min_ = v;
      return;
    }
    current_ = v;
    if (max_ < v) max_ = v;
    if (v < min_) min_ = v;
  }

  T current() const { return current_; }
  T max() const { return max_; }
  T min() const { return min_; }

  SensorValue currentValue(const ItemSpec& item) const { return valueOf(current_, item); }
  SensorValue maxValue(const ItemSpec& item) const { return valueOf(max_, item); }
  SensorValue minValue(const ItemSpec& item) const { return valueOf(min_, item); }

 private:
  static SensorValue valueOf(T element, const ItemSpec& item) {
    if (element == kNoReading) return SensorValue::missing(item.scale, item.format);
    return SensorValue(element, item.scale, item.format);
  }

  T current_ = kNoReading;
  T max_ = kNoReading;
  T min_ = kNoReading;
};

}  // namespace trelvox
