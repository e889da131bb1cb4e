#pragma once

#include <array>
#include <cstdint>

#include "sensors/sensor_status.h"
#include "sensors/sensor_types.h"

namespace trelvox {

struct HobbyWingProperty {
  static constexpr const char* kCelsius = "\x81\x8E";  // degree-Celsius sign in Shift-JIS
  static constexpr int kMotorTemperatureItem = 5;
  static constexpr std::array<ItemSpec, 7> kItems{{
      {"CURRENT", 2, {1, 4, 1, 1, "A"}},
      {"VOLTAGE", 2, {0, 2, 1, 1, "V"}},
      {"CAPACITY", 0, {1, 6, 0, 0, "mAh"}},
      {"ROTATION", 0, {0, 6, 0, 0, "rpm"}},
      {"ESC_TEMPERATURE", 0, {1, 4, 0, 0, kCelsius}},
      {"MOTOR_TEMPERATURE", 0, {1, 4, 0, 0, kCelsius}},
      {"THROTTLE", 0, {0, 3, 0, 0, "%"}},
  }};
};

// A HobbyWing speed controller: current, voltage, capacity, rotation, controller and motor
// temperature and throttle in the first seven of its eight slots. Bit 14 of the controller
// temperature word gates the whole frame; a motor temperature word of 0xFFFF means the motor
// temperature was not reported. The models differ only in their type and in which items they
// report.
class HobbyWingStatus : public SensorStatus, protected HobbyWingProperty {
 public:
  int itemCount() const override { return static_cast<int>(kItems.size()); }
  SensorValue currentValue(int item) const override;
  SensorValue maxValue(int item) const override;
  SensorValue minValue(int item) const override;
  const char* itemName(int item) const override;
  void update() override;

  // Whether the device reports item `item` at all; every item still gets its column.
  virtual bool hasItem(int item) const = 0;

 protected:
  explicit HobbyWingStatus(const SensorPlace& place) : SensorStatus(place) {}

 private:
  template <typename Read>
  SensorValue readItem(int item, Read read) const;

  TrackedValue<std::uint32_t> rotation_;
  TrackedValue<std::int16_t> current_;
  TrackedValue<std::uint16_t> voltage_;
  TrackedValue<std::int16_t> capacity_;
  TrackedValue<std::int16_t> controllerTemperature_;
  TrackedValue<std::int16_t> motorTemperature_;
  TrackedValue<std::uint16_t> throttle_;
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
