#pragma once

#include <array>

#include "decoders/decoder.h"

namespace trelvox {

// The Roxxy speed controller: current, voltage, capacity, rotation and temperature, one word each
// over five slots. Bit 14 of the temperature word gates the whole frame; the temperature itself is
// a 15-bit signed number around that bit. The rotation is held in 32 bits because six times a
// 16-bit word does not fit in 16.
class RoxxyDecoder final : public ItemDecoder<5> {
 public:
  static constexpr std::array<Column, 5> kColumns{{
      {.name = "CURRENT",
       .unit = "A",
       .quantity = Quantity::kCurrent,
       .scale = 2,
       .format = {.width = 4, .decimals = 1}},
      {.name = "VOLTAGE",
       .unit = "V",
       .quantity = Quantity::kVoltage,
       .scale = 2,
       .format = {.width = 3, .decimals = 1}},
      {.name = "CAPACITY", .unit = "mAh", .quantity = Quantity::kCapacity, .format = {.width = 6}},
      {.name = "ROTATION",
       .unit = "rpm",
       .quantity = Quantity::kRotation,
       .element = Element::kSigned32,
       .format = {.width = 6}},
      {.name = "TEMPERATURE",
       .unit = kCelsiusSign,
       .quantity = Quantity::kTemperature,
       .format = {.width = 4}},
  }};

  explicit RoxxyDecoder(const DecoderPlace& place) : ItemDecoder(place, kColumns) {}
  void update() override;
};

}  // namespace trelvox
