#pragma once

#include <array>
#include <cstdint>

#include "sensors/mixed_item_sensor.h"
#include "sensors/sensor_types.h"

namespace trelvox {

struct HobbyWingProperty {
  static constexpr int kMotorTemperatureItem = 5;
  static constexpr std::array<ItemSpec, 7> kItems{{
      {"CURRENT", 2, {1, 4, 1, 1, "A"}},
      {"VOLTAGE", 2, {0, 2, 1, 1, "V"}},
      {"CAPACITY", 0, {1, 6, 0, 0, "mAh"}},
      {"ROTATION", 0, {0, 6, 0, 0, "rpm"}},
      {"ESC_TEMPERATURE", 0, {1, 4, 0, 0, kCelsiusSign}},
      {"MOTOR_TEMPERATURE", 0, {1, 4, 0, 0, kCelsiusSign}},
      {"THROTTLE", 0, {0, 3, 0, 0, "%"}},
  }};
  static constexpr std::array<AnyTrackedValue, 7> kFreshValues{
      Signed16Value{},    // CURRENT
      Unsigned16Value{},  // VOLTAGE
      Signed16Value{},    // CAPACITY
      Unsigned32Value{},  // ROTATION
      Signed16Value{},    // ESC_TEMPERATURE
      Signed16Value{},    // MOTOR_TEMPERATURE
      Unsigned16Value{},  // THROTTLE
  };
};

// A HobbyWing speed controller: current, voltage, capacity, rotation, controller and motor
// temperature and throttle in the first seven of its eight slots. Bit 14 of the controller
// temperature word gates the whole frame; a motor temperature word of 0xFFFF means the motor
// temperature was not reported. The models differ only in their type and in which items they
// report.
class HobbyWingStatus : public MixedItemSensor<7>, protected HobbyWingProperty {
 public:
  void update() override;

  // Whether the device reports item `item` at all; every item still gets its column.
  virtual bool hasItem(int item) const = 0;

 protected:
  explicit HobbyWingStatus(const SensorPlace& place)
      : MixedItemSensor(place, kItems, kFreshValues) {}
};

// The Orvane controller has no motor temperature sensor.
class HobbyWingOrvaneStatus final : public HobbyWingStatus {
 public:
  explicit HobbyWingOrvaneStatus(const SensorPlace& place) : HobbyWingStatus(place) {}
  int sensorType() const override { return kOrvaneEsc; }
  bool hasItem(int item) const override { return item != kMotorTemperatureItem; }
};

class HobbyWingGenuineStatus final : public HobbyWingStatus {
 public:
  explicit HobbyWingGenuineStatus(const SensorPlace& place) : HobbyWingStatus(place) {}
  int sensorType() const override { return kHobbyWing; }
  bool hasItem(int) const override { return true; }
};

}  // namespace trelvox
