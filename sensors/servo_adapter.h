#pragma once

#include <array>
#include <cstdint>

#include "sensors/sensor_status.h"
#include "sensors/sensor_types.h"

namespace trelvox {

struct ServoAdapterProperty {
  // Item i belongs to servo i / 4 and to its field i % 4, in the order of ServoChannel.
  static constexpr int kItemsPerServo = 4;
  static constexpr std::array<ItemSpec, 8> kItems{{
      {"CURRENT 1", 1, {1, 3, 1, 1, "A"}},
      {"TEMPERATURE 1", 0, {1, 4, 0, 0, "\x81\x8E"}},  // degrees Celsius, in Shift-JIS
      {"ANGLE 1", 1, {1, 4, 1, 1, "\x81\x8B"}},        // degrees, in Shift-JIS
      {"ACCUMULATED TIME 1", 0, {0, 6, 0, 0, "min."}},
      {"CURRENT 2", 1, {1, 3, 1, 1, "A"}},
      {"TEMPERATURE 2", 0, {1, 4, 0, 0, "\x81\x8E"}},
      {"ANGLE 2", 1, {1, 4, 1, 1, "\x81\x8B"}},
      {"ACCUMULATED TIME 2", 0, {0, 6, 0, 0, "min."}},
  }};
  // The items that reach the CSV, in column order: the accumulated times are tracked, not written.
  static constexpr std::array<int, 6> kWrittenItems{0, 1, 2, 4, 5, 6};
};

// The servo adapter: current, temperature, angle and accumulated time of two servos over six
// slots, all gated by one validity bit in the first word. The readings mix unsigned and signed
// elements, and only six of the eight items are written, so it has writers of its own.
class ServoAdapterStatus final : public SensorStatus, private ServoAdapterProperty {
 public:
  explicit ServoAdapterStatus(const SensorPlace& place) : SensorStatus(place) {}

  int sensorType() const override { return kServoAdapter; }
  int itemCount() const override { return static_cast<int>(kItems.size()); }
  SensorValue currentValue(int item) const override;
  SensorValue maxValue(int item) const override;
  SensorValue minValue(int item) const override;
  const char* itemName(int item) const override;

  void writeValues(RowWriter& out) const override;
  void writeSlotNumbers(RowWriter& out) const override;
  void writeTypeNames(RowWriter& out) const override;
  void writeItemNames(RowWriter& out) const override;
  void update() override;

 private:
  struct ServoChannel {
    TrackedValue<std::uint16_t> current;          // 0.1 A
    TrackedValue<std::int16_t> temperature;       // degrees Celsius
    TrackedValue<std::int16_t> angle;             // 0.1 degree
    TrackedValue<std::uint16_t> accumulatedTime;  // minutes
  };

  static void recordServo(ServoChannel& channel, const SensorData& data, int firstWord);
  // Applies `pick` (current, largest or smallest) to the tracked value of `item`.
  template <typename Pick>
  SensorValue valueOf(int item, Pick pick) const;

  std::array<ServoChannel, 2> channels_{};
};

}  // namespace trelvox
