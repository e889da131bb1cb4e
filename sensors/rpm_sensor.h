#pragma once

#include <array>
#include <cstdint>

#include "sensors/sensor_status.h"
#include "sensors/sensor_types.h"

namespace trelvox {

struct RevolutionSensorProperty {
  static constexpr std::array<ItemSpec, 1> kItems{{
      {"ROTATION", 0, {0, 6, 0, 0, "rpm"}},
  }};
  // The sensor's gear ratio, 1.00, in hundredths.
  static constexpr std::int32_t kRatioHundredths = 100;
};

// The RPM sensor: one little-endian count per record, with no validity bit, so every record is a
// reading. The count times six is revolutions per minute; held in 32 bits, as the product
// outgrows 16.
class RevolutionSensorStatus final : public ItemTableSensor<std::int32_t, 1>,
                                     private RevolutionSensorProperty {
 public:
  explicit RevolutionSensorStatus(const SensorPlace& place) : ItemTableSensor(place, kItems) {}

  int sensorType() const override { return kRpmSensor; }
  void update() override;
};

}  // namespace trelvox
