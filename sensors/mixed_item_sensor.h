#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <variant>

#include "sensors/sensor_status.h"

namespace trelvox {

// One item's readings, of whichever element type the item is declared with. The element type fixes
// the no-reading mark and whether comparisons are signed, so it must stay the declared one.
using Signed16Value = TrackedValue<std::int16_t>;
using Unsigned16Value = TrackedValue<std::uint16_t>;
using Signed32Value = TrackedValue<std::int32_t>;
using Unsigned32Value = TrackedValue<std::uint32_t>;
using AnyTrackedValue =
    std::variant<Signed16Value, Unsigned16Value, Signed32Value, Unsigned32Value>;

// Which of an item's readings an accessor shows.
enum class ReadingKind : std::uint8_t { kCurrent, kLargest, kSmallest };

// The chosen reading of an item held as a variant of tracked values, whichever alternative the
// item was declared with.
template <typename Readings>
SensorValue readingOf(const Readings& readings, const ItemSpec& itemSpec, ReadingKind kind) {
  return std::visit(
      [&itemSpec, kind](const auto& value) {
        switch (kind) {
          case ReadingKind::kCurrent:
            return value.currentValue(itemSpec);
          case ReadingKind::kLargest:
            return value.maxValue(itemSpec);
          case ReadingKind::kSmallest:
            break;
        }
        return value.minValue(itemSpec);
      },
      readings);
}

// A decoder whose N items are readings of different element types. The concrete decoder passes its
// table of ItemSpec and a table of fresh readings, one per item, whose alternative declares that
// item's element type; it adds sensorType and update, and calls record(item, v) with a v of
// exactly that type.
template <std::size_t N>
class MixedItemSensor : public SensorStatus {
 public:
  int itemCount() const override { return static_cast<int>(N); }
  SensorValue currentValue(int item) const override { return valueOf(item, ReadingKind::kCurrent); }
  SensorValue maxValue(int item) const override { return valueOf(item, ReadingKind::kLargest); }
  SensorValue minValue(int item) const override { return valueOf(item, ReadingKind::kSmallest); }
  const char* itemName(int item) const override {
    return has(item) ? items_[index(item)].name : "";
  }

 protected:
  MixedItemSensor(const SensorPlace& place, const std::array<ItemSpec, N>& items,
                  const std::array<AnyTrackedValue, N>& freshValues)
      : SensorStatus(place), items_(items), values_(freshValues) {}

  // A v of another type than the item's declared one is a fault in the decoder, not in the log:
  // std::get throws rather than letting a reading be compared with the wrong signedness.
  template <typename Element>
  void record(int item, Element v) {
    std::get<TrackedValue<Element>>(values_[index(item)]).record(v);
  }

 private:
  static bool has(int item) { return item >= 0 && static_cast<std::size_t>(item) < N; }
  static std::size_t index(int item) { return static_cast<std::size_t>(item); }

  SensorValue valueOf(int item, ReadingKind kind) const {
    if (!has(item)) return SensorValue();
    return readingOf(values_[index(item)], items_[index(item)], kind);
  }

  const std::array<ItemSpec, N>& items_;
  std::array<AnyTrackedValue, N> values_;
};

}  // namespace trelvox
