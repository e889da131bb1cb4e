#pragma once

#include <array>

#include "decoders/decoder.h"

namespace trelvox {

// The receiver's type ID: the conversion gives every log a receiver, and the flight summary takes
// the lowest receiver voltage from it; both see this header, not the registry.
inline constexpr std::uint8_t kReceiverTypeId = 0;

// The receiver's report on itself, always at slot 0: each word brings one of two voltages, named by
// its item bits, plus the receiver's two-bit status, which every record refreshes.
class ReceiverDecoder final : public ItemDecoder<3> {
 public:
  static constexpr std::array<Column, 3> kColumns{{
      {.name = "BATTERY",
       .unit = "V",
       .quantity = Quantity::kVoltage,
       .scale = 1,
       .format = {.width = 3, .decimals = 1}},
      {.name = "EXTERNAL BATTERY",
       .unit = "V",
       .quantity = Quantity::kVoltage,
       .scale = 1,
       .format = {.width = 3, .decimals = 1}},
      {.name = "STATUS",
       .quantity = Quantity::kStatus,
       .element = Element::kUnsigned16,
       .format = {.width = 1}},
  }};

  explicit ReceiverDecoder(const DecoderPlace& place) : ItemDecoder(place, kColumns) {}
  void update() override;
};

}  // namespace trelvox
