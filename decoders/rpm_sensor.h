#pragma once

#include <array>

#include "decoders/decoder.h"

namespace trelvox {

// The RPM sensor: one little-endian count per record, with no validity bit, so every record is a
// reading. The count times six is revolutions per minute; held in 32 bits, as the product
// outgrows 16.
class RpmSensorDecoder final : public ItemDecoder<1> {
 public:
  static constexpr std::array<Column, 1> kColumns{{
      {.name = "ROTATION",
       .unit = "rpm",
       .quantity = Quantity::kRotation,
       .element = Element::kSigned32,
       .format = {.width = 6}},
  }};

  explicit RpmSensorDecoder(const DecoderPlace& place) : ItemDecoder(place, kColumns) {}
  void update() override;

 private:
  // The sensor's gear ratio, 1.00, in hundredths.
  static constexpr std::int32_t kRatioHundredths = 100;
};

}  // namespace trelvox
