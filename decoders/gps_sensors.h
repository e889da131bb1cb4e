#pragma once

#include <array>
#include <cstdint>

#include "decoders/decoder.h"
#include "decoders/reference_altitude.h"
#include "values/geo_point.h"

namespace trelvox {

// What one record of a GPS sensor says. `altitude` carries the sensor's own offset, which the
// reference cancels.
struct GpsReading {
  bool positionValid;
  GeoPoint position;
  std::int16_t speed;
  bool altitudeValid;
  std::int32_t altitude;
  std::int16_t variometer;
};

// The maker's GPS sensors: position, ground speed, height above the first valid altitude and climb
// rate, plus the distance from the first position of the log, then the position as LATITUDE and
// LONGITUDE text columns. The models differ only in where their bits lie (decode), in their
// formats and in further columns.
class GpsDecoder : public ItemDecoder<7> {
 public:
  enum : int { kDistance, kSpeed, kAltitude, kVariometer, kLatitude, kLongitude, kTimeOfDay };

  void update() final;
  void columnValue(int column, ColumnValue& value) const override;
  std::optional<bool> positionValid() const override { return positionValid_; }

  // Takes the current record's altitude as the reference if it is valid and no reference has been
  // taken yet.
  void setReferenceAltitude();

 protected:
  // DISTANCE counts whole metres in 32 bits: a flight can go further than 16 bits could show.
  static constexpr std::array<Column, 6> gpsColumns(Column altitude, Column variometer) {
    return {{
        {.name = "DISTANCE",
         .unit = "m",
         .quantity = Quantity::kDistance,
         .element = Element::kSigned32,
         .format = {.width = 6}},
        {.name = "SPEED", .unit = "km/h", .quantity = Quantity::kSpeed, .format = {.width = 5}},
        altitude,
        variometer,
        kLatitudeColumn,
        kLongitudeColumn,
    }};
  }
  GpsDecoder(const DecoderPlace& place, std::span<const Column> columns)
      : ItemDecoder(place, columns) {}
  virtual GpsReading decode() const = 0;

 private:
  void takeReferencePosition();
  std::int32_t computeDistance() const;

  GeoPoint referencePosition_;
  GeoPoint position_;
  bool positionValid_ = false;
  ReferenceAltitude<std::int16_t> referenceAltitude_;
};

// The GPS sensor: all fields packed as one 128-bit stream over eight words, including the time of
// day, which it writes as a further TIME(UTC) column.
class OrvaneGpsDecoder final : public GpsDecoder {
 public:
  static constexpr std::array<Column, 7> kColumns = [] {
    const auto shared = gpsColumns({.name = "ALTITUDE",
                                    .unit = "m",
                                    .quantity = Quantity::kHeight,
                                    .scale = 1,
                                    .format = {.width = 5, .decimals = 1}},
                                   {.name = "VARIOMETER",
                                    .unit = "m/s",
                                    .quantity = Quantity::kClimb,
                                    .scale = 1,
                                    .format = {.width = 5, .decimals = 1, .plusSign = true}});
    return std::array<Column, 7>{shared[0],
                                 shared[1],
                                 shared[2],
                                 shared[3],
                                 shared[4],
                                 shared[5],
                                 {.name = "TIME(UTC)", .shown = Shown::kTimeOfDay}};
  }();

  explicit OrvaneGpsDecoder(const DecoderPlace& place) : GpsDecoder(place, kColumns) {}
  void columnValue(int column, ColumnValue& value) const override;
  std::optional<std::uint32_t> utcSecondsOfDay() const override;

 private:
  GpsReading decode() const override;
  std::optional<std::uint32_t> timeField() const;
};

// The GPS model Q3303: one quantity per big-endian word, the position as degrees and minutes.
class Q3303GpsDecoder final : public GpsDecoder {
 public:
  static constexpr std::array<Column, 6> kColumns = gpsColumns(
      {.name = "ALTITUDE", .unit = "m", .quantity = Quantity::kHeight, .format = {.width = 6}},
      {.name = "VARIOMETER",
       .unit = "m/s",
       .quantity = Quantity::kClimb,
       .scale = 1,
       .format = {.width = 4, .decimals = 1, .plusSign = true}});

  explicit Q3303GpsDecoder(const DecoderPlace& place) : GpsDecoder(place, kColumns) {}

 private:
  GpsReading decode() const override;
};

}  // namespace trelvox
