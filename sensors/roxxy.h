#pragma once

#include <array>
#include <cstdint>

#include "sensors/sensor_status.h"
#include "sensors/sensor_types.h"

namespace trelvox {

struct RoxxyProperty {
  static constexpr const char* kCelsius = "\x81\x8E";  // degree-Celsius sign in Shift-JIS
  static constexpr std::array<ItemSpec, 5> kItems{{
      {"CURRENT", 2, {1, 4, 1, 1, "A"}},
      {"VOLTAGE", 2, {1, 3, 1, 1, "V"}},
      {"CAPACITY", 0, {1, 6, 0, 0, "mAh"}},
      {"ROTATION", 0, {0, 6, 0, 0, "rpm"}},
      {"TEMPERATURE", 0, {1, 4, 0, 0, kCelsius}},
  }};
};

// The Roxxy speed controller: current, voltage, capacity, rotation and temperature, one word each
// over five slots. Bit 14 of the temperature word gates the whole frame; the temperature itself is
// a 15-bit signed number around that bit. The rotation is held in 32 bits because six times a
// 16-bit word does not fit in 16.
class RoxxyStatus final : public SensorStatus, private RoxxyProperty {
 public:
  explicit RoxxyStatus(const SensorPlace& place) : SensorStatus(place) {}

  int sensorType() const override { return kRoxxy; }
  int itemCount() const override { return static_cast<int>(kItems.size()); }
  SensorValue currentValue(int item) const override;
  SensorValue maxValue(int item) const override;
  SensorValue minValue(int item) const override;
  const char* itemName(int item) const override;
  void update() override;

 private:
  template <typename Read>
  SensorValue readItem(int item, Read read) const;

  TrackedValue<std::int16_t> current_;
  TrackedValue<std::int16_t> voltage_;
  TrackedValue<std::int16_t> capacity_;
  TrackedValue<std::int32_t> rotation_;
  TrackedValue<std::int16_t> temperature_;
};

}  // namespace trelvox
