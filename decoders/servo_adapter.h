#pragma once

#include <array>

#include "decoders/decoder.h"

namespace trelvox {

// The servo adapter: current, temperature, angle and accumulated time of two servos over six
// slots, all gated by one validity bit in the first word. The accumulated times are tracked but
// have no CSV column.
class ServoAdapterDecoder final : public ItemDecoder<8> {
 public:
  // Column i belongs to servo i / 4 and to its field i % 4: current, temperature, angle, time.
  static constexpr int kItemsPerServo = 4;
  static constexpr std::array<Column, 8> kColumns{{
      {.name = "CURRENT 1",
       .unit = "A",
       .quantity = Quantity::kCurrent,
       .element = Element::kUnsigned16,
       .scale = 1,
       .format = {.width = 3, .decimals = 1}},
      {.name = "TEMPERATURE 1",
       .unit = kCelsiusSign,
       .quantity = Quantity::kTemperature,
       .format = {.width = 4}},
      {.name = "ANGLE 1",
       .unit = "\x81\x8B",
       .scale = 1,  // degrees, in Shift-JIS
       .format = {.width = 4, .decimals = 1}},
      {.name = "ACCUMULATED TIME 1",
       .unit = "min.",
       .quantity = Quantity::kDuration,
       .element = Element::kUnsigned16,
       .format = {.width = 6},
       .shown = Shown::kNothing},
      {.name = "CURRENT 2",
       .unit = "A",
       .quantity = Quantity::kCurrent,
       .element = Element::kUnsigned16,
       .scale = 1,
       .format = {.width = 3, .decimals = 1}},
      {.name = "TEMPERATURE 2",
       .unit = kCelsiusSign,
       .quantity = Quantity::kTemperature,
       .format = {.width = 4}},
      {.name = "ANGLE 2", .unit = "\x81\x8B", .scale = 1, .format = {.width = 4, .decimals = 1}},
      {.name = "ACCUMULATED TIME 2",
       .unit = "min.",
       .quantity = Quantity::kDuration,
       .element = Element::kUnsigned16,
       .format = {.width = 6},
       .shown = Shown::kNothing},
  }};

  explicit ServoAdapterDecoder(const DecoderPlace& place) : ItemDecoder(place, kColumns) {}
  void update() override;

 private:
  void recordServo(int servo, const SensorWords& data, int firstWord);
};

}  // namespace trelvox
