#pragma once

#include <array>

#include "decoders/decoder.h"
#include "values/geo_point.h"

namespace trelvox {

// A PowerBox power-supply unit over 16 slots: two battery voltages and capacities, two antenna
// fade counters, lost frames and holds, and the speed, altitude, distance, trip and position of its
// GPS receiver. Bit 15 of the first word says whether the record carries PowerBox data. The
// position is not an item: it has no largest or smallest value and is written as two text columns
// after the twelve items.
class PowerBoxDecoder final : public ItemDecoder<14> {
 public:
  enum : int { kLatitude = 12, kLongitude = 13 };
  static constexpr std::array<Column, 14> kColumns{{
      {.name = "VOLTAGE 1",
       .unit = "V",
       .quantity = Quantity::kVoltage,
       .element = Element::kUnsigned16,
       .scale = 2,
       .format = {.width = 2, .decimals = 2}},
      {.name = "VOLTAGE 2",
       .unit = "V",
       .quantity = Quantity::kVoltage,
       .element = Element::kUnsigned16,
       .scale = 2,
       .format = {.width = 2, .decimals = 2}},
      {.name = "CAPACITY 1",
       .unit = "mAh",
       .quantity = Quantity::kCapacity,
       .element = Element::kUnsigned16,
       .format = {.width = 5}},
      {.name = "CAPACITY 2",
       .unit = "mAh",
       .quantity = Quantity::kCapacity,
       .element = Element::kUnsigned16,
       .format = {.width = 5}},
      {.name = "ANTENNA FADE 1",
       .quantity = Quantity::kStatus,
       .element = Element::kUnsigned16,
       .format = {.width = 5}},
      {.name = "ANTENNA FADE 2",
       .quantity = Quantity::kStatus,
       .element = Element::kUnsigned16,
       .format = {.width = 5}},
      {.name = "LOST FRAME",
       .quantity = Quantity::kStatus,
       .element = Element::kUnsigned16,
       .format = {.width = 4}},
      {.name = "HOLD",
       .quantity = Quantity::kStatus,
       .element = Element::kUnsigned16,
       .format = {.width = 4}},
      {.name = "SPEED",
       .unit = "km/h",
       .quantity = Quantity::kSpeed,
       .element = Element::kUnsigned16,
       .format = {.width = 4}},
      {.name = "ALTITUDE", .unit = "m", .quantity = Quantity::kHeight, .format = {.width = 5}},
      {.name = "DISTANCE",
       .unit = "m",
       .quantity = Quantity::kDistance,
       .element = Element::kUnsigned16,
       .format = {.width = 5}},
      {.name = "TRIP",
       .unit = "km",
       .quantity = Quantity::kDistance,
       .element = Element::kUnsigned16,
       .scale = 1,
       .format = {.width = 3, .decimals = 1}},
      kLatitudeColumn,
      kLongitudeColumn,
  }};

  explicit PowerBoxDecoder(const DecoderPlace& place) : ItemDecoder(place, kColumns) {}
  void update() override;
  void columnValue(int column, ColumnValue& value) const override;

 private:
  GeoPoint position_;
};

}  // namespace trelvox
