#pragma once

#include <array>
#include <cstdint>

#include "sensors/mixed_item_sensor.h"
#include "sensors/reference_altitude.h"
#include "sensors/sensor_types.h"

namespace trelvox {

struct NAV60_Property {
  static constexpr std::array<ItemSpec, 16> kItems{{
      {"TEMPERATURE1", 0, {1, 4, 0, 0, kCelsiusSign}},
      {"TEMPERATURE2", 0, {1, 4, 0, 0, kCelsiusSign}},
      {"REVOLUTION1", 0, {0, 6, 0, 0, "rpm"}},
      {"REVOLUTION2", 0, {0, 6, 0, 0, "rpm"}},
      {"REVOLUTION3", 0, {0, 6, 0, 0, "rpm"}},
      {"VOLTAGE1", 1, {0, 3, 1, 1, "V"}},
      {"VOLTAGE2", 1, {0, 3, 1, 1, "V"}},
      {"CURRENT1", 1, {1, 5, 1, 1, "A"}},
      {"CURRENT2", 1, {1, 5, 1, 1, "A"}},
      {"FUEL", 0, {0, 4, 0, 0, "%"}},
      {"ALTITUDE", 1, {1, 5, 1, 0, "m"}},
      {"PRESSURE", 1, {0, 4, 1, 1, "hPa"}},
      {"POWER", 0, {0, 5, 0, 0, "W"}},
      {"FUEL2", 0, {0, 4, 0, 0, "%"}},
      {"THROTTLE", 0, {0, 4, 0, 0, "%"}},
      {"ALARM", 0, {0, 5, 0, 0, ""}},
  }};
  // A rotation word counts steps of 6 rpm, so the speeds need 32 bits; so does the altitude, a
  // difference of two 16-bit heights.
  static constexpr std::array<AnyTrackedValue, 16> kFreshValues{
      Signed16Value{},    // TEMPERATURE1
      Signed16Value{},    // TEMPERATURE2
      Unsigned32Value{},  // REVOLUTION1
      Unsigned32Value{},  // REVOLUTION2
      Unsigned32Value{},  // REVOLUTION3
      Unsigned16Value{},  // VOLTAGE1
      Unsigned16Value{},  // VOLTAGE2
      Signed16Value{},    // CURRENT1
      Signed16Value{},    // CURRENT2
      Unsigned16Value{},  // FUEL
      Signed32Value{},    // ALTITUDE
      Unsigned16Value{},  // PRESSURE
      Signed16Value{},    // POWER
      Unsigned16Value{},  // FUEL2
      Unsigned16Value{},  // THROTTLE
      Unsigned16Value{},  // ALARM
  };
};

// The NAV-60 avionics unit over 16 slots, one item per word: two temperatures, three rotation
// speeds, two voltages and currents, two fuel levels, altitude, air pressure, power, throttle and
// an alarm word. Bit 15 of the first word says whether the record carries NAV-60 data. ALTITUDE is
// the height above the unit's altitude in the first record that carries data.
class NAV60_Status final : public MixedItemSensor<16>, private NAV60_Property {
 public:
  explicit NAV60_Status(const SensorPlace& place) : MixedItemSensor(place, kItems, kFreshValues) {}

  int sensorType() const override { return kNav60; }
  void update() override;

 private:
  ReferenceAltitude<std::int32_t> referenceAltitude_;
};

}  // namespace trelvox
