#include "decoders/speed_sensors.h"

namespace trelvox {

void SpeedWordDecoder::update() {
  const std::uint16_t w = words().value(0);
  if ((w & 0x4000) == 0) return;
  record(0, signed15SignInBit15(w));
}

}  // namespace trelvox
