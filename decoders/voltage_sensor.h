#pragma once

#include <array>

#include "decoders/decoder.h"

namespace trelvox {

// The voltage sensor: a battery and an external battery in tenths of a volt, in two slots. Both
// are refreshed together, gated by the validity bit of the first word; the second word is a signed
// reading of its own. Its range text is a fixed "min/maxV" with '.' whatever the locale.
class VoltageSensorDecoder final : public ItemDecoder<2> {
 public:
  static constexpr std::array<Column, 2> kColumns{{
      {.name = "BATTERY",
       .unit = "V",
       .quantity = Quantity::kVoltage,
       .scale = 1,
       .format = {.width = 3, .decimals = 1},
       .range = RangeText::kPointAndUnit},
      {.name = "EXT. BATT.",
       .unit = "V",
       .quantity = Quantity::kVoltage,
       .scale = 1,
       .format = {.width = 3, .decimals = 1},
       .range = RangeText::kPointAndUnit},
  }};

  explicit VoltageSensorDecoder(const DecoderPlace& place) : ItemDecoder(place, kColumns) {}
  void update() override;
};

}  // namespace trelvox
