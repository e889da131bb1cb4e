#pragma once

#include <array>

#include "decoders/decoder.h"

namespace trelvox {

// The KORA-5 multi sensor: two satellite counts with their HDOP, altitude, ground speed, airspeed
// and two voltage/current pairs, read from the first nine of its sixteen slots and all gated by
// one validity bit in the first word.
class Kora5Decoder final : public ItemDecoder<11> {
 public:
  static constexpr std::array<Column, 11> kColumns{{
      {.name = "SATELLITES1", .format = {.width = 4}},
      {.name = "HDOP1", .scale = 1, .format = {.width = 4, .decimals = 1}},
      {.name = "SATELLITES2", .format = {.width = 4}},
      {.name = "HDOP2", .scale = 1, .format = {.width = 4, .decimals = 1}},
      {.name = "ALTITUDE",
       .unit = "m",
       .quantity = Quantity::kHeight,
       .scale = 1,
       .format = {.width = 4, .decimals = 1}},
      {.name = "GROUND_SPEED",
       .unit = "km/h",
       .quantity = Quantity::kSpeed,
       .scale = 1,
       .format = {.width = 4, .decimals = 1}},
      {.name = "AIR_SPEED",
       .unit = "km/h",
       .quantity = Quantity::kSpeed,
       .scale = 1,
       .format = {.width = 4, .decimals = 1}},
      {.name = "VOLTAGE1",
       .unit = "V",
       .quantity = Quantity::kVoltage,
       .scale = 1,
       .format = {.width = 5, .decimals = 1}},
      {.name = "CURRENT1",
       .unit = "A",
       .quantity = Quantity::kCurrent,
       .scale = 1,
       .format = {.width = 5, .decimals = 1}},
      {.name = "VOLTAGE2",
       .unit = "V",
       .quantity = Quantity::kVoltage,
       .scale = 1,
       .format = {.width = 5, .decimals = 1}},
      {.name = "CURRENT2",
       .unit = "A",
       .quantity = Quantity::kCurrent,
       .scale = 1,
       .format = {.width = 5, .decimals = 1}},
  }};

  explicit Kora5Decoder(const DecoderPlace& place) : ItemDecoder(place, kColumns) {}
  void update() override;
};

}  // namespace trelvox
