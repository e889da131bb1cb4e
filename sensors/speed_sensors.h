#pragma once

#include <array>
#include <cstdint>

#include "sensors/sensor_status.h"
#include "sensors/sensor_types.h"

namespace trelvox {

struct SpeedSensorProperty {
  static constexpr std::array<ItemSpec, 1> kItems{{
      {"SPEED", 0, {1, 4, 0, 0, "km/h"}},
  }};
};

struct TrueAirSpeedSensorProperty {
  static constexpr std::array<ItemSpec, 1> kItems{{
      {"SPEED", 0, {0, 5, 0, 0, "km/h"}},
  }};
};

// A sensor reporting one speed in whole km/h in one slot: a big-endian word with validity in
// bit 14 and a 15-bit two's-complement speed. The models share this decoding and differ only in
// type and in the layout of the SPEED column, given by the item table they pass in.
class SpeedStatusBase : public ItemTableSensor<std::int16_t, 1> {
 public:
  void update() override;

 protected:
  SpeedStatusBase(const SensorPlace& place, const std::array<ItemSpec, 1>& items)
      : ItemTableSensor(place, items) {}
};

class SpeedSensorStatus final : public SpeedStatusBase, private SpeedSensorProperty {
 public:
  explicit SpeedSensorStatus(const SensorPlace& place) : SpeedStatusBase(place, kItems) {}

  int sensorType() const override { return kSpeedSensor; }
};

class TrueAirSpeedSensorStatus final : public SpeedStatusBase, private TrueAirSpeedSensorProperty {
 public:
  explicit TrueAirSpeedSensorStatus(const SensorPlace& place) : SpeedStatusBase(place, kItems) {}

  int sensorType() const override { return kTrueAirSpeed; }
};

}  // namespace trelvox
