#include "sensors/castle.h"

namespace trelvox {

void CastleStatus::update() {
  const SensorData data = words();
  for (int item = 0; item < itemCount(); ++item) {
    const std::uint16_t w = data.value(item);
    if ((w & 0x8000) == 0) continue;  // this slot brought nothing new
    const std::uint32_t reading = w & 0x7FFFu;
    record(item, item == kRotation ? reading * 10 : reading);
  }
}

}  // namespace trelvox
