#pragma once

#include <array>
#include <cstdint>

#include "sensors/sensor_status.h"
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
};

// The ZR450 speed controller: two temperatures, the motor rotation and a voltage, each refreshed on
// its own. The temperature and rotation words arrive with their second byte high; the rotation
// has no validity bit, so every record refreshes it, and its range text shows only its largest
// reading.
class ZR450_SensorStatus final : public SensorStatus, private ZR450_SensorProperty {
 public:
  explicit ZR450_SensorStatus(const SensorPlace& place) : SensorStatus(place) {}

  int sensorType() const override { return kZr450; }
  int itemCount() const override { return static_cast<int>(kItems.size()); }
  SensorValue currentValue(int item) const override;
  SensorValue maxValue(int item) const override;
  SensorValue minValue(int item) const override;
  const char* itemName(int item) const override;
  void rangeText(int item, ValueText& text) const override;
  void update() override;

 private:
  // Calls read(trackedValue, itemSpec) for the item's reading; the default value for any other
  // index.
  template <typename Read>
  SensorValue readItem(int item, Read read) const;

  TrackedValue<std::int16_t> internalTemperature_;
  TrackedValue<std::int32_t> rotation_;
  TrackedValue<std::int16_t> externalTemperature_;
  TrackedValue<std::int16_t> voltage_;
};

}  // namespace trelvox
