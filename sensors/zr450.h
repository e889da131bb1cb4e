#pragma once

#include <array>
#include <cstdint>

#include "sensors/mixed_item_sensor.h"
#include "sensors/sensor_types.h"

namespace trelvox {

struct ZR450_SensorProperty {
  static constexpr std::array<ItemSpec, 4> kItems{{
      {"INTERNAL TEMPERATURE",
       0,
       {1, 5, 0, 0,
        "\xDF"
        "C"}},
      {"ROTATION", 0, {0, 6, 0, 0, "rpm"}},
      {"EXTERNAL TEMPERATURE",
       0,
       {1, 5, 0, 0,
        "\xDF"
        "C"}},
      {"VOLTAGE", 1, {0, 3, 1, 1, "V"}},
  }};
  enum Item { kInternalTemperature, kRotation, kExternalTemperature, kVoltage };
  static constexpr std::array<AnyTrackedValue, 4> kFreshValues{
      Signed16Value{},  // INTERNAL TEMPERATURE
      Signed32Value{},  // ROTATION
      Signed16Value{},  // EXTERNAL TEMPERATURE
      Signed16Value{},  // VOLTAGE
  };
};

// The ZR450 speed controller: two temperatures, the motor rotation and a voltage, each refreshed on
// its own. The temperature and rotation words arrive with their second byte high; the rotation
// has no validity bit, so every record refreshes it, and its range text shows only its largest
// reading.
class ZR450_SensorStatus final : public MixedItemSensor<4>, private ZR450_SensorProperty {
 public:
  explicit ZR450_SensorStatus(const SensorPlace& place)
      : MixedItemSensor(place, kItems, kFreshValues) {}

  int sensorType() const override { return kZr450; }
  void rangeText(int item, ValueText& text) const override;
  void update() override;
};

}  // namespace trelvox
