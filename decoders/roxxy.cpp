#include "decoders/roxxy.h"

namespace trelvox {

void RoxxyDecoder::update() {
  const SensorWords data = words();
  const std::uint16_t temperatureWord = data.value(4);
  if ((temperatureWord & 0x4000) == 0) return;  // the whole frame is not valid
  record(0, static_cast<std::int16_t>(data.value(0)));
  record(1, static_cast<std::int16_t>(data.value(1)));
  record(2, static_cast<std::int16_t>(data.value(2)));
  // Six times a word reaches 393210: in 16 bits it would turn negative from word 5462 up.
  record(3, std::int32_t{data.value(3)} * 6);
  record(4, signed15SignInBit15(temperatureWord));
}

}  // namespace trelvox
