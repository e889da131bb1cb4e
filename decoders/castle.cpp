#include "decoders/castle.h"

namespace trelvox {

void CastleDecoder::update() {
  constexpr int kRotation = 3;
  const SensorWords data = words();
  for (int item = 0; item < static_cast<int>(kColumns.size()); ++item) {
    const std::uint16_t w = data.value(item);
    if ((w & 0x8000) == 0) continue;  // this slot brought nothing new
    const std::uint32_t reading = w & 0x7FFFu;
    record(item, item == kRotation ? reading * 10 : reading);
  }
}

}  // namespace trelvox
