#pragma once

#include <array>
#include <cstdint>

#include "sensors/geo_point.h"
#include "sensors/mixed_item_sensor.h"
#include "sensors/reference_altitude.h"

namespace trelvox {

// What one record of a GPS sensor says. `altitude` carries the sensor's own offset, which the
// reference cancels.
struct GpsReading {
  bool positionValid;
  GeoPoint position;
  std::int16_t speed;
  int positionStatus;
  bool altitudeValid;
  std::int32_t altitude;
  std::int16_t variometer;
};

struct GPS_Property {
  static constexpr const char* kDistanceName = "DISTANCE";
  static constexpr const char* kSpeedName = "SPEED";
  static constexpr const char* kAltitudeName = "ALTITUDE";
  static constexpr const char* kVariometerName = "VARIOMETER";
  // DISTANCE counts whole metres in 32 bits: a flight can go further than 16 bits could show.
  static constexpr std::array<AnyTrackedValue, 4> kFreshValues{
      Signed32Value{},  // DISTANCE
      Signed16Value{},  // SPEED
      Signed16Value{},  // ALTITUDE
      Signed16Value{},  // VARIOMETER
  };
};

// The maker's GPS sensors: position, ground speed, height above the first valid altitude and climb
// rate, plus the distance from the first position of the log. Besides the four items they write
// the position as LATITUDE and LONGITUDE text columns. The models differ only in where their bits
// lie (decode), in their item tables and in further columns.
class GPS_Status : public MixedItemSensor<4>, protected GPS_Property {
 public:
  void writeValues(RowWriter& out) const override;
  void writeSlotNumbers(RowWriter& out) const override;
  void writeTypeNames(RowWriter& out) const override;
  void writeItemNames(RowWriter& out) const override;
  void update() final;

  // The sensor's own report on the quality of the current record's position.
  int positionStatus() const { return decode().positionStatus; }
  // Takes the current record's altitude as the reference if it is valid and no reference has been
  // taken yet.
  void setReferenceAltitude();
  // Whether DISTANCE leaves the height above the reference out.
  bool isHorizontalOnly() const { return horizontalOnly_; }
  void setHorizontalOnly(bool horizontalOnly) { horizontalOnly_ = horizontalOnly; }

  void latitudeText(ValueText& text) const { writeLatitudeText(position_.latitude, text); }
  void longitudeText(ValueText& text) const { writeLongitudeText(position_.longitude, text); }

 protected:
  GPS_Status(const SensorPlace& place, const std::array<ItemSpec, 4>& items)
      : MixedItemSensor(place, items, kFreshValues) {}
  virtual GpsReading decode() const = 0;

 private:
  void takeReferencePosition();
  std::int32_t computeDistance() const;

  GeoPoint referencePosition_;
  GeoPoint position_;
  ReferenceAltitude<std::int16_t> referenceAltitude_;
  bool horizontalOnly_ = false;
};

struct OrvaneGPS_Property {
  static constexpr std::array<ItemSpec, 4> kItems{{
      {GPS_Property::kDistanceName, 0, {0, 6, 0, 0, "m"}},
      {GPS_Property::kSpeedName, 0, {0, 5, 0, 0, "km/h"}},
      {GPS_Property::kAltitudeName, 1, {1, 5, 1, 0, "m"}},
      {GPS_Property::kVariometerName, 1, {2, 5, 1, 0, "m/s"}},
  }};
};

// The GPS sensor: all fields packed as one 128-bit stream over eight words, including the time of
// day, which it writes as a further TIME(UTC) column.
class OrvaneGPS_Status final : public GPS_Status, private OrvaneGPS_Property {
 public:
  explicit OrvaneGPS_Status(const SensorPlace& place) : GPS_Status(place, kItems) {}
  int sensorType() const override { return 7; }

  void writeValues(RowWriter& out) const override;
  void writeSlotNumbers(RowWriter& out) const override;
  void writeTypeNames(RowWriter& out) const override;
  void writeItemNames(RowWriter& out) const override;

  // "hh:mm:ss" of the current record, or "---" when its position is not valid.
  void timeText(ValueText& text) const;

 private:
  GpsReading decode() const override;
};

struct Q3303_GPS_Property {
  static constexpr std::array<ItemSpec, 4> kItems{{
      {GPS_Property::kDistanceName, 0, {0, 6, 0, 0, "m"}},
      {GPS_Property::kSpeedName, 0, {0, 5, 0, 0, "km/h"}},
      {GPS_Property::kAltitudeName, 0, {1, 6, 0, 0, "m"}},
      {GPS_Property::kVariometerName, 1, {2, 4, 1, 1, "m/s"}},
  }};
};

// The GPS model Q3303: one quantity per big-endian word, the position as degrees and minutes.
class Q3303_GPS_Status final : public GPS_Status, private Q3303_GPS_Property {
 public:
  explicit Q3303_GPS_Status(const SensorPlace& place) : GPS_Status(place, kItems) {}
  int sensorType() const override { return 129; }

 private:
  GpsReading decode() const override;
};

}  // namespace trelvox
