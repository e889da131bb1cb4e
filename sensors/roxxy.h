#pragma once

#include <array>
#include <cstdint>

#include "sensors/mixed_item_sensor.h"
#include "sensors/sensor_types.h"

namespace trelvox {

struct RoxxyProperty {
  static constexpr std::array<ItemSpec, 5> kItems{{
      {"CURRENT", 2, {1, 4, 1, 1, "A"}},
      {"VOLTAGE", 2, {1, 3, 1, 1, "V"}},
      {"CAPACITY", 0, {1, 6, 0, 0, "mAh"}},
      {"ROTATION", 0, {0, 6, 0, 0, "rpm"}},
      {"TEMPERATURE", 0, {1, 4, 0, 0, kCelsiusSign}},
  }};
  static constexpr std::array<AnyTrackedValue, 5> kFreshValues{
      Signed16Value{},  // CURRENT
      Signed16Value{},  // VOLTAGE
      Signed16Value{},  // CAPACITY
      Signed32Value{},  // ROTATION
      Signed16Value{},  // TEMPERATURE
  };
};

// The Roxxy speed controller: current, voltage, capacity, rotation and temperature, one word each
// over five slots. Bit 14 of the temperature word gates the whole frame; the temperature itself is
// a 15-bit signed number around that bit. The rotation is held in 32 bits because six times a
// 16-bit word does not fit in 16.
class RoxxyStatus final : public MixedItemSensor<5>, private RoxxyProperty {
 public:
  explicit RoxxyStatus(const SensorPlace& place) : MixedItemSensor(place, kItems, kFreshValues) {}

  int sensorType() const override { return kRoxxy; }
  void update() override;
};

}  // namespace trelvox
