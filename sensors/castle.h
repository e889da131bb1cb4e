#pragma once

#include <array>
#include <cstdint>

#include "sensors/sensor_status.h"
#include "sensors/sensor_types.h"

namespace trelvox {

struct CastleProperty {
  // The current is in amperes and the voltage in volts.
  static constexpr std::array<ItemSpec, 8> kItems{{
      {"CURRENT", 1, {0, 4, 1, 1, "A"}},
      {"VOLTAGE", 1, {0, 4, 1, 1, "V"}},
      {"POWER OUT", 2, {0, 3, 2, 2, "%"}},
      {"ROTATION", 0, {0, 6, 0, 0, "rpm"}},
      {"BEC VOLTAGE", 2, {0, 3, 2, 2, "V"}},
      {"BEC CURRENT", 2, {0, 3, 2, 2, "A"}},
      {"RIPPLE VOLTAGE", 2, {0, 3, 2, 2, "V"}},
      {"TEMPERATURE", 2, {0, 3, 2, 2, kCelsiusSign}},
  }};
  static constexpr int kRotation = 3;
};

// The Castle speed controller: one slot per item, each with its own validity bit, so every item is
// refreshed on its own. The readings are 15-bit numbers (the rotation counts tens of rpm and needs
// 32 bits once multiplied out); one unsigned 32-bit element holds them all, and none of them can
// reach the no-reading mark.
class CastleStatus final : public ItemTableSensor<std::uint32_t, 8>, private CastleProperty {
 public:
  explicit CastleStatus(const SensorPlace& place) : ItemTableSensor(place, kItems) {}

  int sensorType() const override { return kCastle; }
  void update() override;
};

}  // namespace trelvox
