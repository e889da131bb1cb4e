#pragma once

#include <array>
#include <cstdint>

#include "decoders/decoder.h"

namespace trelvox {

// The JetCat turbine controller: thirteen readings of engine, fuel and flight, all refreshed
// together when word 0 carries the validity bit. A negative scale counts hundreds or tens: rotation
// words hold 100 rpm (second shaft: 10 rpm).
class JetCatDecoder final : public ItemDecoder<13> {
 public:
  static constexpr std::array<Column, 13> kColumns{{
      {.name = "ROTATION",
       .unit = "rpm",
       .quantity = Quantity::kRotation,
       .element = Element::kUnsigned16,
       .scale = -2,
       .format = {.width = 7}},
      {.name = "TEMPERATURE",
       .unit = kCelsiusSign,
       .quantity = Quantity::kTemperature,
       .element = Element::kUnsigned16,
       .format = {.width = 5}},
      {.name = "PUMP VOLTAGE",
       .unit = "V",
       .quantity = Quantity::kVoltage,
       .element = Element::kUnsigned16,
       .scale = 2,
       .format = {.width = 3, .decimals = 2}},
      {.name = "SET RPM",
       .unit = "rpm",
       .quantity = Quantity::kRotation,
       .element = Element::kUnsigned16,
       .scale = -2,
       .format = {.width = 7}},
      {.name = "THRUST",
       .unit = "N",
       .element = Element::kUnsigned16,
       .scale = 1,
       .format = {.width = 4, .decimals = 1}},
      {.name = "FUEL CONSUMED",
       .unit = "ml",
       .quantity = Quantity::kFuel,
       .element = Element::kUnsigned16,
       .format = {.width = 5}},
      {.name = "FUEL FLOW",
       .unit = "ml/min",
       .quantity = Quantity::kFuel,
       .element = Element::kUnsigned16,
       .format = {.width = 4}},
      {.name = "ALTITUDE",
       .unit = "m",
       .quantity = Quantity::kHeight,
       .element = Element::kUnsigned16,
       .format = {.width = 5}},
      {.name = "FUEL QUALITY",
       .unit = "%",
       .quantity = Quantity::kPercent,
       .element = Element::kUnsigned16,
       .format = {.width = 3}},
      {.name = "BATTERY VOLTAGE",
       .unit = "V",
       .quantity = Quantity::kVoltage,
       .element = Element::kUnsigned16,
       .scale = 2,
       .format = {.width = 3, .decimals = 2}},
      {.name = "CURRENT",
       .unit = "A",
       .quantity = Quantity::kCurrent,
       .element = Element::kUnsigned16,
       .scale = 1,
       .format = {.width = 3, .decimals = 1}},
      {.name = "AIR SPEED",
       .unit = "km/h",
       .quantity = Quantity::kSpeed,
       .element = Element::kUnsigned16,
       .format = {.width = 4}},
      {.name = "SECOND SHAFT RPM",
       .unit = "rpm",
       .quantity = Quantity::kRotation,
       .element = Element::kUnsigned16,
       .scale = -1,
       .format = {.width = 6}},
  }};

  explicit JetCatDecoder(const DecoderPlace& place) : ItemDecoder(place, kColumns) {}
  void update() override;

 private:
  // Where each item's number comes from: a word of the sensor and the bits of it that count.
  struct Source {
    int word;
    std::uint16_t mask;
  };
  static constexpr std::array<Source, 13> kSources{{
      {0, 0x3FFF},  // the two top bits of word 0 are flags
      {1, 0xFFFF},
      {2, 0xFFFF},
      {3, 0xFFFF},
      {4, 0xFFFF},
      {5, 0xFFFF},
      {6, 0xFFFF},
      {7, 0xFFFF},
      {8, 0x3FFF},
      {9, 0xFFFF},
      {10, 0xFFFF},
      {11, 0xFFFF},
      {13, 0xFFFF},  // word 12 carries nothing shown
  }};
  static constexpr std::uint16_t kValidBit = 0x4000;  // in word 0
};

}  // namespace trelvox
