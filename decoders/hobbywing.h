#pragma once

#include <array>

#include "decoders/decoder.h"

namespace trelvox {

// A HobbyWing speed controller: current, voltage, capacity, rotation, controller and motor
// temperature and throttle in the first seven of its eight slots. Bit 14 of the controller
// temperature word gates the whole frame; a motor temperature word of 0xFFFF means the motor
// temperature was not reported. The maker's own controller (ORVANE ESC) is the same device without
// a motor temperature sensor; it still has the column.
class HobbyWingDecoder : public ItemDecoder<7> {
 public:
  static constexpr std::array<Column, 7> kColumns{{
      {.name = "CURRENT",
       .unit = "A",
       .quantity = Quantity::kCurrent,
       .scale = 2,
       .format = {.width = 4, .decimals = 1}},
      {.name = "VOLTAGE",
       .unit = "V",
       .quantity = Quantity::kVoltage,
       .element = Element::kUnsigned16,
       .scale = 2,
       .format = {.width = 2, .decimals = 1}},
      {.name = "CAPACITY", .unit = "mAh", .quantity = Quantity::kCapacity, .format = {.width = 6}},
      {.name = "ROTATION",
       .unit = "rpm",
       .quantity = Quantity::kRotation,
       .element = Element::kUnsigned32,
       .format = {.width = 6}},
      {.name = "ESC_TEMPERATURE",
       .unit = kCelsiusSign,
       .quantity = Quantity::kTemperature,
       .format = {.width = 4}},
      {.name = "MOTOR_TEMPERATURE",
       .unit = kCelsiusSign,
       .quantity = Quantity::kTemperature,
       .format = {.width = 4}},
      {.name = "THROTTLE",
       .unit = "%",
       .quantity = Quantity::kPercent,
       .element = Element::kUnsigned16,
       .format = {.width = 3}},
  }};

  explicit HobbyWingDecoder(const DecoderPlace& place) : ItemDecoder(place, kColumns) {}
  void update() override;
};

class OrvaneEscDecoder final : public HobbyWingDecoder {
  using HobbyWingDecoder::HobbyWingDecoder;
};

}  // namespace trelvox
