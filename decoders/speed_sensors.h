#pragma once

#include <array>

#include "decoders/decoder.h"

namespace trelvox {

// A sensor reporting one speed in whole km/h in one slot: a big-endian word with validity in
// bit 14 and a 15-bit two's-complement speed. The models differ only in the layout of the SPEED
// column.
class SpeedWordDecoder : public ItemDecoder<1> {
 public:
  void update() override;

 protected:
  static constexpr Column speedColumn(std::uint8_t width) {
    return {
        .name = "SPEED", .unit = "km/h", .quantity = Quantity::kSpeed, .format = {.width = width}};
  }
  SpeedWordDecoder(const DecoderPlace& place, const std::array<Column, 1>& columns)
      : ItemDecoder(place, columns) {}
};

class SpeedSensorDecoder final : public SpeedWordDecoder {
 public:
  static constexpr std::array<Column, 1> kColumns{speedColumn(4)};
  explicit SpeedSensorDecoder(const DecoderPlace& place) : SpeedWordDecoder(place, kColumns) {}
};

class TrueAirSpeedDecoder final : public SpeedWordDecoder {
 public:
  static constexpr std::array<Column, 1> kColumns{speedColumn(5)};
  explicit TrueAirSpeedDecoder(const DecoderPlace& place) : SpeedWordDecoder(place, kColumns) {}
};

}  // namespace trelvox
