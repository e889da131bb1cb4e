#pragma once

#include <array>
#include <cstdint>

#include "sensors/sensor_status.h"
#include "sensors/sensor_types.h"

namespace trelvox {

struct TemperatureSensorProperty {
  // The unit is the degree-Celsius sign in Shift-JIS.
  static constexpr std::array<ItemSpec, 1> kItems{{
      {"TEMPERATURE", 0, {1, 4, 0, 0, kCelsiusSign}},
  }};
};

// A temperature sensor reporting whole degrees Celsius in one slot. The models differ only in how
// the slot word carries its validity bit and its number; each model decodes its word and hands the
// temperature to recordTemperature, which keeps the one TEMPERATURE column.
class TemperatureSensorStatus : public ItemTableSensor<std::int16_t, 1>,
                                private TemperatureSensorProperty {
 protected:
  explicit TemperatureSensorStatus(const SensorPlace& place) : ItemTableSensor(place, kItems) {}

  void recordTemperature(std::int16_t celsius) { record(0, celsius); }
};

// The maker's own sensor: a little-endian word, validity in its top bit, degrees offset by 100.
class OrvaneTemperatureSensorStatus final : public TemperatureSensorStatus {
 public:
  explicit OrvaneTemperatureSensorStatus(const SensorPlace& place)
      : TemperatureSensorStatus(place) {}

  int sensorType() const override { return kTemperatureSensor; }
  void update() override;
};

// The Q3305: a big-endian word, validity in bit 14, a 15-bit two's-complement temperature.
class Q3305_TemperatureSensorStatus final : public TemperatureSensorStatus {
 public:
  explicit Q3305_TemperatureSensorStatus(const SensorPlace& place)
      : TemperatureSensorStatus(place) {}

  int sensorType() const override { return kTemperatureQ3305; }
  void update() override;
};

}  // namespace trelvox
