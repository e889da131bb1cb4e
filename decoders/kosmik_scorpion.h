#pragma once

#include <array>

#include "decoders/decoder.h"

namespace trelvox {

// The telemetry frame that Kosmik and Scorpion speed controllers share: battery voltage and
// discharge, rotation, motor current, the two temperatures, BEC current and PWM, one word each over
// eight slots. The validity bit of the first word gates the whole frame. The rotation is held in
// 32 bits because six times a 16-bit word does not fit in 16.
class KosmikFrameDecoder : public ItemDecoder<8> {
 public:
  static constexpr std::array<Column, 8> kColumns{{
      {.name = "BATTERY VOLTAGE",
       .unit = "V",
       .quantity = Quantity::kVoltage,
       .element = Element::kUnsigned16,
       .scale = 2,
       .format = {.width = 3, .decimals = 1}},
      {.name = "BATTERY DISCHARGE",
       .unit = "Ah",
       .quantity = Quantity::kCapacity,
       .element = Element::kUnsigned16,
       .scale = 2,
       .format = {.width = 4, .decimals = 2}},
      {.name = "ROTATION",
       .unit = "rpm",
       .quantity = Quantity::kRotation,
       .element = Element::kUnsigned32,
       .format = {.width = 6}},
      {.name = "MOTOR CURRENT",
       .unit = "A",
       .quantity = Quantity::kCurrent,
       .element = Element::kUnsigned16,
       .scale = 2,
       .format = {.width = 4, .decimals = 1}},
      {.name = "TEMPERATURE",
       .unit = kCelsiusSign,
       .quantity = Quantity::kTemperature,
       .format = {.width = 4}},
      {.name = "BEC TEMPERATURE",
       .unit = kCelsiusSign,
       .quantity = Quantity::kTemperature,
       .format = {.width = 4}},
      {.name = "BEC CURRENT",
       .unit = "A",
       .quantity = Quantity::kCurrent,
       .element = Element::kUnsigned16,
       .scale = 2,
       .format = {.width = 4, .decimals = 1}},
      {.name = "PWM",
       .unit = "%",
       .quantity = Quantity::kPercent,
       .element = Element::kUnsigned16,
       .format = {.width = 4}},
  }};

  explicit KosmikFrameDecoder(const DecoderPlace& place) : ItemDecoder(place, kColumns) {}
  void update() override;
};

class KosmikDecoder final : public KosmikFrameDecoder {
  using KosmikFrameDecoder::KosmikFrameDecoder;
};

class ScorpionDecoder final : public KosmikFrameDecoder {
  using KosmikFrameDecoder::KosmikFrameDecoder;
};

}  // namespace trelvox
