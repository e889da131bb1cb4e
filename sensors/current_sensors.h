#pragma once

#include <array>
#include <cstdint>

#include "sensors/sensor_status.h"
#include "sensors/sensor_types.h"

namespace trelvox {

// Both current sensor models share item names, scales and the voltage and capacity formats; only
// the current's format differs between them.
struct CurrentSensorProperty {
  static constexpr std::array<ItemSpec, 3> itemsWithCurrentFormat(ValueFormat current) {
    return {{
        {"CURRENT", 2, current},
        {"VOLTAGE", 2, {1, 3, 1, 1, "V"}},
        {"CAPACITY", 0, {1, 6, 0, 0, "mAh"}},
    }};
  }
};

// A current sensor over three slots: a signed current in 0.01 A, a voltage in 0.01 V and a
// capacity in mAh, refreshed together whenever the first word carries its validity bit. The models
// supply their type and their item table.
class CurrentSensorStatus : public ItemTableSensor<std::int16_t, 3>, private CurrentSensorProperty {
 public:
  void update() override;

 protected:
  CurrentSensorStatus(const SensorPlace& place, const std::array<ItemSpec, 3>& items)
      : ItemTableSensor(place, items) {}
};

struct OrvaneCurrentSensorProperty {
  static constexpr auto kItems = CurrentSensorProperty::itemsWithCurrentFormat({1, 4, 0, 0, "A"});
};

// The current sensor that shows whole amperes.
class OrvaneCurrentSensorStatus final : public CurrentSensorStatus,
                                        private OrvaneCurrentSensorProperty {
 public:
  explicit OrvaneCurrentSensorStatus(const SensorPlace& place)
      : CurrentSensorStatus(place, kItems) {}
  int sensorType() const override { return kCurrentSensor; }
};

struct Q3304_CurrentSensorProperty {
  static constexpr auto kItems = CurrentSensorProperty::itemsWithCurrentFormat({1, 4, 1, 1, "A"});
};

// The Q3304 current sensor, which shows the current to a tenth of an ampere.
class Q3304_CurrentSensorStatus final : public CurrentSensorStatus,
                                        private Q3304_CurrentSensorProperty {
 public:
  explicit Q3304_CurrentSensorStatus(const SensorPlace& place)
      : CurrentSensorStatus(place, kItems) {}
  int sensorType() const override { return kCurrentQ3304; }
};

}  // namespace trelvox
