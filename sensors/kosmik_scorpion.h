#pragma once

#include <array>
#include <cstdint>

#include "sensors/sensor_status.h"
#include "sensors/sensor_types.h"

namespace trelvox {

struct KosmikProperty {
  static constexpr const char* kCelsius = "\x81\x8E";  // degree-Celsius sign in Shift-JIS
  static constexpr std::array<ItemSpec, 8> kItems{{
      {"BATTERY VOLTAGE", 2, {0, 3, 1, 1, "V"}},
      {"BATTERY DISCHARGE", 2, {0, 4, 2, 1, "Ah"}},
      {"ROTATION", 0, {0, 6, 0, 0, "rpm"}},
      {"MOTOR CURRENT", 2, {0, 4, 1, 1, "A"}},
      {"TEMPERATURE", 0, {1, 4, 0, 0, kCelsius}},
      {"BEC TEMPERATURE", 0, {1, 4, 0, 0, kCelsius}},
      {"BEC CURRENT", 2, {0, 4, 1, 1, "A"}},
      {"PWM", 0, {0, 4, 0, 0, "%"}},
  }};
};

// The telemetry frame that Kosmik and Scorpion speed controllers share: battery voltage and
// discharge, rotation, motor current, the two temperatures, BEC current and PWM, one word each over
// eight slots. The validity bit of the first word gates the whole frame. The rotation is held in
// 32 bits because six times a 16-bit word does not fit in 16.
class KosmikStatusBase : public SensorStatus, private KosmikProperty {
 public:
  int itemCount() const override { return static_cast<int>(kItems.size()); }
  SensorValue currentValue(int item) const override;
  SensorValue maxValue(int item) const override;
  SensorValue minValue(int item) const override;
  const char* itemName(int item) const override;
  void update() override;

 protected:
  explicit KosmikStatusBase(const SensorPlace& place) : SensorStatus(place) {}

 private:
  template <typename Read>
  SensorValue readItem(int item, Read read) const;

  TrackedValue<std::uint16_t> batteryVoltage_;
  TrackedValue<std::uint16_t> batteryDischarge_;
  TrackedValue<std::uint32_t> rotation_;
  TrackedValue<std::uint16_t> motorCurrent_;
  TrackedValue<std::int16_t> temperature_;
  TrackedValue<std::int16_t> becTemperature_;
  TrackedValue<std::uint16_t> becCurrent_;
  TrackedValue<std::uint16_t> pwm_;
};

class KosmikStatus final : public KosmikStatusBase {
 public:
  explicit KosmikStatus(const SensorPlace& place) : KosmikStatusBase(place) {}
  int sensorType() const override { return kKosmik; }
};

class ScorpionStatus final : public KosmikStatusBase {
 public:
  explicit ScorpionStatus(const SensorPlace& place) : KosmikStatusBase(place) {}
  int sensorType() const override { return kScorpion; }
};

}  // namespace trelvox
