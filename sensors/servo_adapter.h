#pragma once

#include <array>
#include <cstdint>

#include "sensors/mixed_item_sensor.h"
#include "sensors/sensor_types.h"

namespace trelvox {

struct ServoAdapterProperty {
  // Item i belongs to servo i / 4 and to its field i % 4: current, temperature, angle, time.
  static constexpr int kItemsPerServo = 4;
  static constexpr std::array<ItemSpec, 8> kItems{{
      {"CURRENT 1", 1, {1, 3, 1, 1, "A"}},
      {"TEMPERATURE 1", 0, {1, 4, 0, 0, kCelsiusSign}},
      {"ANGLE 1", 1, {1, 4, 1, 1, "\x81\x8B"}},  // degrees, in Shift-JIS
      {"ACCUMULATED TIME 1", 0, {0, 6, 0, 0, "min."}},
      {"CURRENT 2", 1, {1, 3, 1, 1, "A"}},
      {"TEMPERATURE 2", 0, {1, 4, 0, 0, kCelsiusSign}},
      {"ANGLE 2", 1, {1, 4, 1, 1, "\x81\x8B"}},
      {"ACCUMULATED TIME 2", 0, {0, 6, 0, 0, "min."}},
  }};
  static constexpr std::array<AnyTrackedValue, 8> kFreshValues{
      Unsigned16Value{},  // CURRENT 1 in 0.1 A
      Signed16Value{},    // TEMPERATURE 1 in degrees Celsius
      Signed16Value{},    // ANGLE 1 in 0.1 degree
      Unsigned16Value{},  // ACCUMULATED TIME 1 in minutes
      Unsigned16Value{},  // CURRENT 2
      Signed16Value{},    // TEMPERATURE 2
      Signed16Value{},    // ANGLE 2
      Unsigned16Value{},  // ACCUMULATED TIME 2
  };
  // The items that reach the CSV, in column order: the accumulated times are tracked, not written.
  static constexpr std::array<int, 6> kWrittenItems{0, 1, 2, 4, 5, 6};
};

// The servo adapter: current, temperature, angle and accumulated time of two servos over six
// slots, all gated by one validity bit in the first word. The readings mix unsigned and signed
// elements, and only six of the eight items are written, so it has writers of its own.
class ServoAdapterStatus final : public MixedItemSensor<8>, private ServoAdapterProperty {
 public:
  explicit ServoAdapterStatus(const SensorPlace& place)
      : MixedItemSensor(place, kItems, kFreshValues) {}

  int sensorType() const override { return kServoAdapter; }

  void writeValues(RowWriter& out) const override;
  void writeSlotNumbers(RowWriter& out) const override;
  void writeTypeNames(RowWriter& out) const override;
  void writeItemNames(RowWriter& out) const override;
  void update() override;

 private:
  void recordServo(int servo, const SensorData& data, int firstWord);
};

}  // namespace trelvox
