#include "decoders/kosmik_scorpion.h"

namespace trelvox {

void KosmikFrameDecoder::update() {
  const SensorWords data = words();
  const std::uint16_t first = data.value(0);
  if ((first & 0x8000) == 0) return;  // the whole frame is not valid
  record(0, static_cast<std::uint16_t>(first & 0x7FFF));
  record(1, data.value(1));
  // Six times a word reaches 393210: truncating it to 16 bits would wrap from word 10923 up.
  record(2, std::uint32_t{data.value(2)} * 6);
  record(3, data.value(3));
  record(4, static_cast<std::int16_t>(data.value(4)));
  record(5, static_cast<std::int16_t>(data.value(5)));
  record(6, data.value(6));
  record(7, data.value(7));
}

}  // namespace trelvox
