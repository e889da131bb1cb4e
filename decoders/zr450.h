#pragma once

#include <array>

#include "decoders/decoder.h"

namespace trelvox {

// The ZR450 speed controller: two temperatures, the motor rotation and a voltage, each refreshed on
// its own. The temperature and rotation words arrive with their second byte high; the rotation
// has no validity bit, so every record refreshes it, and its range text shows only its largest
// reading.
class Zr450Decoder final : public ItemDecoder<4> {
 public:
  enum : int { kInternalTemperature, kRotation, kExternalTemperature, kVoltage };
  // Its temperatures are in degrees Celsius written with the half-width katakana degree mark.
  static constexpr std::array<Column, 4> kColumns{{
      {.name = "INTERNAL TEMPERATURE",
       .unit = "\xDF"
               "C",
       .quantity = Quantity::kTemperature,
       .format = {.width = 5}},
      {.name = "ROTATION",
       .unit = "rpm",
       .quantity = Quantity::kRotation,
       .element = Element::kSigned32,
       .format = {.width = 6},
       .range = RangeText::kLargestOnly},
      {.name = "EXTERNAL TEMPERATURE",
       .unit = "\xDF"
               "C",
       .quantity = Quantity::kTemperature,
       .format = {.width = 5}},
      {.name = "VOLTAGE",
       .unit = "V",
       .quantity = Quantity::kVoltage,
       .scale = 1,
       .format = {.width = 3, .decimals = 1}},
  }};

  explicit Zr450Decoder(const DecoderPlace& place) : ItemDecoder(place, kColumns) {}
  void update() override;
};

}  // namespace trelvox
