#pragma once

#include <array>
#include <cstdint>

#include "sensors/mixed_item_sensor.h"
#include "sensors/sensor_types.h"

namespace trelvox {

struct KosmikProperty {
  static constexpr std::array<ItemSpec, 8> kItems{{
      {"BATTERY VOLTAGE", 2, {0, 3, 1, 1, "V"}},
      {"BATTERY DISCHARGE", 2, {0, 4, 2, 1, "Ah"}},
      {"ROTATION", 0, {0, 6, 0, 0, "rpm"}},
      {"MOTOR CURRENT", 2, {0, 4, 1, 1, "A"}},
      {"TEMPERATURE", 0, {1, 4, 0, 0, kCelsiusSign}},
      {"BEC TEMPERATURE", 0, {1, 4, 0, 0, kCelsiusSign}},
      {"BEC CURRENT", 2, {0, 4, 1, 1, "A"}},
      {"PWM", 0, {0, 4, 0, 0, "%"}},
  }};
  static constexpr std::array<AnyTrackedValue, 8> kFreshValues{
      Unsigned16Value{},  // BATTERY VOLTAGE
      Unsigned16Value{},  // BATTERY DISCHARGE
      Unsigned32Value{},  // ROTATION
      Unsigned16Value{},  // MOTOR CURRENT
      Signed16Value{},    // TEMPERATURE
      Signed16Value{},    // BEC TEMPERATURE
      Unsigned16Value{},  // BEC CURRENT
      Unsigned16Value{},  // PWM
  };
};

// The telemetry frame that Kosmik and Scorpion speed controllers share: battery voltage and
// discharge, rotation, motor current, the two temperatures, BEC current and PWM, one word each over
// eight slots. The validity bit of the first word gates the whole frame. The rotation is held in
// 32 bits because six times a 16-bit word does not fit in 16.
class KosmikStatusBase : public MixedItemSensor<8>, private KosmikProperty {
 public:
  void update() override;

 protected:
  explicit KosmikStatusBase(const SensorPlace& place)
      : MixedItemSensor(place, kItems, kFreshValues) {}
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
