#pragma once

#include <array>

#include "decoders/decoder.h"

namespace trelvox {

// A current sensor over three slots: a signed current in 0.01 A, a voltage in 0.01 V and a
// capacity in mAh, refreshed together whenever the first word carries its validity bit. The
// models differ only in how many decimals the current shows.
class CurrentSensorDecoder : public ItemDecoder<3> {
 public:
  void update() override;

 protected:
  static constexpr std::array<Column, 3> columnsWithCurrentDecimals(std::uint8_t decimals) {
    return {{
        {.name = "CURRENT",
         .unit = "A",
         .quantity = Quantity::kCurrent,
         .scale = 2,
         .format = {.width = 4, .decimals = decimals}},
        {.name = "VOLTAGE",
         .unit = "V",
         .quantity = Quantity::kVoltage,
         .scale = 2,
         .format = {.width = 3, .decimals = 1}},
        {.name = "CAPACITY",
         .unit = "mAh",
         .quantity = Quantity::kCapacity,
         .format = {.width = 6}},
    }};
  }
  CurrentSensorDecoder(const DecoderPlace& place, const std::array<Column, 3>& columns)
      : ItemDecoder(place, columns) {}
};

// The current sensor that shows whole amperes.
class OrvaneCurrentSensorDecoder final : public CurrentSensorDecoder {
 public:
  static constexpr auto kColumns = columnsWithCurrentDecimals(0);
  explicit OrvaneCurrentSensorDecoder(const DecoderPlace& place)
      : CurrentSensorDecoder(place, kColumns) {}
};

// The Q3304 current sensor, which shows the current to a tenth of an ampere.
class Q3304CurrentSensorDecoder final : public CurrentSensorDecoder {
 public:
  static constexpr auto kColumns = columnsWithCurrentDecimals(1);
  explicit Q3304CurrentSensorDecoder(const DecoderPlace& place)
      : CurrentSensorDecoder(place, kColumns) {}
};

}  // namespace trelvox
