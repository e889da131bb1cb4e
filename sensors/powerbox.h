#pragma once

#include <array>
#include <cstdint>

#include "sensors/geo_point.h"
#include "sensors/mixed_item_sensor.h"
#include "sensors/sensor_types.h"

namespace trelvox {

struct PowerBoxProperty {
  static constexpr std::array<ItemSpec, 12> kItems{{
      {"VOLTAGE 1", 2, {0, 2, 2, 2, "V"}},
      {"VOLTAGE 2", 2, {0, 2, 2, 2, "V"}},
      {"CAPACITY 1", 0, {0, 5, 0, 0, "mAh"}},
      {"CAPACITY 2", 0, {0, 5, 0, 0, "mAh"}},
      {"ANTENNA FADE 1", 0, {0, 5, 0, 0, ""}},
      {"ANTENNA FADE 2", 0, {0, 5, 0, 0, ""}},
      {"LOST FRAME", 0, {0, 4, 0, 0, ""}},
      {"HOLD", 0, {0, 4, 0, 0, ""}},
      {"SPEED", 0, {0, 4, 0, 0, "km/h"}},
      {"ALTITUDE", 0, {1, 5, 0, 0, "m"}},
      {"DISTANCE", 0, {0, 5, 0, 0, "m"}},
      {"TRIP", 1, {0, 3, 1, 1, "km"}},
  }};
  static constexpr std::array<AnyTrackedValue, 12> kFreshValues{
      Unsigned16Value{},  // VOLTAGE 1
      Unsigned16Value{},  // VOLTAGE 2
      Unsigned16Value{},  // CAPACITY 1
      Unsigned16Value{},  // CAPACITY 2
      Unsigned16Value{},  // ANTENNA FADE 1
      Unsigned16Value{},  // ANTENNA FADE 2
      Unsigned16Value{},  // LOST FRAME
      Unsigned16Value{},  // HOLD
      Unsigned16Value{},  // SPEED
      Signed16Value{},    // ALTITUDE
      Unsigned16Value{},  // DISTANCE
      Unsigned16Value{},  // TRIP
  };
};

// A PowerBox power-supply unit over 16 slots: two battery voltages and capacities, two antenna
// fade counters, lost frames and holds, and the speed, altitude, distance, trip and position of its
// GPS receiver. Bit 15 of the first word says whether the record carries PowerBox data. The
// position is not an item: it has no largest or smallest value and is written as two columns of
// its own after the twelve items.
class PowerBoxStatus final : public MixedItemSensor<12>, private PowerBoxProperty {
 public:
  explicit PowerBoxStatus(const SensorPlace& place)
      : MixedItemSensor(place, kItems, kFreshValues) {}

  int sensorType() const override { return kPowerBox; }
  void writeValues(RowWriter& out) const override;
  void writeSlotNumbers(RowWriter& out) const override;
  void writeTypeNames(RowWriter& out) const override;
  void writeItemNames(RowWriter& out) const override;
  void update() override;

  void latitudeText(ValueText& text) const { writeLatitudeText(position_.latitude, text); }
  void longitudeText(ValueText& text) const { writeLongitudeText(position_.longitude, text); }

 private:
  GeoPoint position_;
};

}  // namespace trelvox
