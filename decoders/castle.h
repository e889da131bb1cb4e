#pragma once

#include <array>

#include "decoders/decoder.h"

namespace trelvox {

// The Castle speed controller: one slot per item, each with its own validity bit, so every item is
// refreshed on its own. The readings are 15-bit numbers (the rotation counts tens of rpm and needs
// 32 bits once multiplied out); one unsigned 32-bit element holds them all, and none of them can
// reach the no-reading mark.
class CastleDecoder final : public ItemDecoder<8> {
 public:
  static constexpr std::array<Column, 8> kColumns{{
      {.name = "CURRENT",
       .unit = "A",
       .quantity = Quantity::kCurrent,
       .element = Element::kUnsigned32,
       .scale = 1,
       .format = {.width = 4, .decimals = 1}},
      {.name = "VOLTAGE",
       .unit = "V",
       .quantity = Quantity::kVoltage,
       .element = Element::kUnsigned32,
       .scale = 1,
       .format = {.width = 4, .decimals = 1}},
      {.name = "POWER OUT",
       .unit = "%",
       .quantity = Quantity::kPercent,
       .element = Element::kUnsigned32,
       .scale = 2,
       .format = {.width = 3, .decimals = 2}},
      {.name = "ROTATION",
       .unit = "rpm",
       .quantity = Quantity::kRotation,
       .element = Element::kUnsigned32,
       .format = {.width = 6}},
      {.name = "BEC VOLTAGE",
       .unit = "V",
       .quantity = Quantity::kVoltage,
       .element = Element::kUnsigned32,
       .scale = 2,
       .format = {.width = 3, .decimals = 2}},
      {.name = "BEC CURRENT",
       .unit = "A",
       .quantity = Quantity::kCurrent,
       .element = Element::kUnsigned32,
       .scale = 2,
       .format = {.width = 3, .decimals = 2}},
      {.name = "RIPPLE VOLTAGE",
       .unit = "V",
       .quantity = Quantity::kVoltage,
       .element = Element::kUnsigned32,
       .scale = 2,
       .format = {.width = 3, .decimals = 2}},
      {.name = "TEMPERATURE",
       .unit = kCelsiusSign,
       .quantity = Quantity::kTemperature,
       .element = Element::kUnsigned32,
       .scale = 2,
       .format = {.width = 3, .decimals = 2}},
  }};

  explicit CastleDecoder(const DecoderPlace& place) : ItemDecoder(place, kColumns) {}
  void update() override;
};

}  // namespace trelvox
