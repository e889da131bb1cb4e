#pragma once

#include <array>
#include <cstdint>

#include "sensors/reference_altitude.h"
#include "sensors/sensor_status.h"

namespace trelvox {

// What one record of an altitude or vario sensor says. `altitude` carries the sensor's own offset,
// which the reference cancels.
struct AltitudeReading {
  bool valid;
  std::int32_t altitude;
  std::int16_t variometer;
};

struct AltitudeSensorProperty {
  static constexpr const char* kAltitudeName = "ALTITUDE";
  static constexpr const char* kVariometerName = "VARIOMETER";
};

// The maker's barometric sensors: a height and a climb rate. The ALTITUDE column is the height
// above the first valid reading of the log, not the height the sensor reports. The models differ
// only in where their bits lie (decode) and in their item tables.
class AltitudeSensorStatus : public ItemTableSensor<std::int16_t, 2>,
                             protected AltitudeSensorProperty {
 public:
  void update() final;
  // Takes the current record's altitude as the reference if the record is valid and no reference
  // has been taken yet.
  void setReferenceAltitude();

 protected:
  AltitudeSensorStatus(const SensorPlace& place, const std::array<ItemSpec, 2>& items)
      : ItemTableSensor(place, items) {}
  virtual AltitudeReading decode() const = 0;

 private:
  ReferenceAltitude<std::int16_t> referenceAltitude_;
};

struct OrvaneAltitudeSensorProperty {
  static constexpr std::array<ItemSpec, 2> kItems{{
      {AltitudeSensorProperty::kAltitudeName, 1, {1, 4, 1, 0, "m"}},
      {AltitudeSensorProperty::kVariometerName, 1, {2, 4, 1, 0, "m/s"}},
  }};
};

// The altitude sensor: its fields are packed as a bit stream over three words, in 0.1 m and
// 0.1 m/s.
class OrvaneAltitudeSensorStatus final : public AltitudeSensorStatus,
                                         private OrvaneAltitudeSensorProperty {
 public:
  explicit OrvaneAltitudeSensorStatus(const SensorPlace& place)
      : AltitudeSensorStatus(place, kItems) {}
  int sensorType() const override { return 6; }

 private:
  AltitudeReading decode() const override;
};

struct Q3302_AltitudeSensorProperty {
  static constexpr std::array<ItemSpec, 2> kItems{{
      {AltitudeSensorProperty::kAltitudeName, 0, {1, 5, 0, 0, "m"}},
      {AltitudeSensorProperty::kVariometerName, 1, {2, 4, 1, 1, "m/s"}},
  }};
};

struct Q3301_AltitudeSensorProperty {
  static constexpr std::array<ItemSpec, 2> kItems{{
      {AltitudeSensorProperty::kAltitudeName, 0, {1, 5, 0, 0, "m"}},
      {AltitudeSensorProperty::kVariometerName, 2, {2, 3, 2, 1, "m/s"}},
  }};
};

// The two vario models share one word layout (climb rate in word 0, height in whole metres and the
// validity bit in word 1); Q3301 counts the climb rate in 0.01 m/s, Q3302 in 0.1 m/s.
class Q3302_AltitudeSensorStatus final : public AltitudeSensorStatus,
                                         private Q3302_AltitudeSensorProperty {
 public:
  explicit Q3302_AltitudeSensorStatus(const SensorPlace& place)
      : AltitudeSensorStatus(place, kItems) {}
  int sensorType() const override { return 130; }

 private:
  AltitudeReading decode() const override;
};

class Q3301_AltitudeSensorStatus final : public AltitudeSensorStatus,
                                         private Q3301_AltitudeSensorProperty {
 public:
  explicit Q3301_AltitudeSensorStatus(const SensorPlace& place)
      : AltitudeSensorStatus(place, kItems) {}
  int sensorType() const override { return 131; }

 private:
  AltitudeReading decode() const override;
};

}  // namespace trelvox
