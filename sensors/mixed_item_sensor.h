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

// A decoder whose N items are readings of different element types. The concrete decoder passes its
// table of ItemSpec and a table of fresh readings, one per item, whose alternative declares that
// item's element type; it adds sensorType and update, and calls record(item, v) with a v of
// exactly that type.
template <std::size_t N>
class MixedItemSensor : public SensorStatus {
 public:
  int itemCount() const override { return static_cast<int>(N); }
  SensorValue currentValue(int item) const override {
    return visitItem(
        item, [](const auto& value, const ItemSpec& spec) { return value.currentValue(spec); });
  }
  SensorValue maxValue(int item) const override {
    return visitItem(item,
                     [](const auto& value, const ItemSpec& spec) { return value.maxValue(spec); });
  }
  SensorValue minValue(int item) const override {
    return visitItem(item,
                     [](const auto& value, const ItemSpec& spec) { return value.minValue(spec); });
  }
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

  template <typename Read>
  SensorValue visitItem(int item, Read read) const {
    if (!has(item)) return SensorValue();
    const ItemSpec& spec = items_[index(item)];
    return std::visit([&](const auto& value) { return read(value, spec); }, values_[index(item)]);
  }

  const std::array<ItemSpec, N>& items_;
  std::array<AnyTrackedValue, N> values_;
};

}  // namespace trelvox
