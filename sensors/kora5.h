#pragma once

#include <array>
#include <cstdint>

#include "sensors/sensor_status.h"
#include "sensors/sensor_types.h"

namespace trelvox {

struct KORA5_Property {
  static constexpr std::array<ItemSpec, 11> kItems{{
      {"SATELLITES1", 0, {0, 4, 0, 0, ""}},
      {"HDOP1", 1, {0, 4, 1, 1, ""}},
      {"SATELLITES2", 0, {0, 4, 0, 0, ""}},
      {"HDOP2", 1, {0, 4, 1, 1, ""}},
      {"ALTITUDE", 1, {1, 4, 1, 1, "m"}},
      {"GROUND_SPEED", 1, {1, 4, 1, 1, "km/h"}},
      {"AIR_SPEED", 1, {1, 4, 1, 1, "km/h"}},
      {"VOLTAGE1", 1, {1, 5, 1, 1, "V"}},
      {"CURRENT1", 1, {1, 5, 1, 1, "A"}},
      {"VOLTAGE2", 1, {1, 5, 1, 1, "V"}},
      {"CURRENT2", 1, {1, 5, 1, 1, "A"}},
  }};
};

// The KORA-5 multi sensor: two satellite counts with their HDOP, altitude, ground speed, airspeed
// and two voltage/current pairs, read from the first nine of its sixteen slots and all gated by
// one validity bit in the first word.
class KORA5_Status final : public ItemTableSensor<std::int16_t, 11>, private KORA5_Property {
 public:
  explicit KORA5_Status(const SensorPlace& place) : ItemTableSensor(place, kItems) {}

  int sensorType() const override { return kKora5; }
  void update() override;
};

}  // namespace trelvox
