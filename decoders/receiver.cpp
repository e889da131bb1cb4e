#include "decoders/receiver.h"

namespace trelvox {

void ReceiverDecoder::update() {
  constexpr int kStatus = 2;
  const std::uint16_t w = words().value(0);
  const auto status = static_cast<std::uint16_t>(w >> 14);
  record(kStatus, status);
  if (status == 0) return;  // no voltage in this record
  const int item = (w >> 10) & 0x3;
  // Items 2 and 3 name no voltage this receiver has; such a word refreshes the status only.
  if (item < kStatus) record(item, static_cast<std::int16_t>(w & 0x3FF));
}

}  // namespace trelvox
