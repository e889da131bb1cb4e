#pragma once

#include <array>

#include "decoders/decoder.h"

namespace trelvox {

// A temperature sensor reporting whole degrees Celsius in one slot. The models differ only in how
// the slot word carries its validity bit and its number.
class TemperatureSensorDecoder : public ItemDecoder<1> {
 public:
  static constexpr std::array<Column, 1> kColumns{{
      {.name = "TEMPERATURE",
       .unit = kCelsiusSign,
       .quantity = Quantity::kTemperature,
       .format = {.width = 4}},
  }};

 protected:
  explicit TemperatureSensorDecoder(const DecoderPlace& place) : ItemDecoder(place, kColumns) {}
  void recordTemperature(std::int16_t celsius) { record(0, celsius); }
};

// The maker's own sensor: a little-endian word, validity in its top bit, degrees offset by 100.
class OrvaneTemperatureSensorDecoder final : public TemperatureSensorDecoder {
 public:
  explicit OrvaneTemperatureSensorDecoder(const DecoderPlace& place)
      : TemperatureSensorDecoder(place) {}
  void update() override;
};

// The Q3305: a big-endian word, validity in bit 14, a 15-bit two's-complement temperature.
class Q3305TemperatureSensorDecoder final : public TemperatureSensorDecoder {
 public:
  explicit Q3305TemperatureSensorDecoder(const DecoderPlace& place)
      : TemperatureSensorDecoder(place) {}
  void update() override;
};

}  // namespace trelvox
