#include "decoders/kora5.h"

namespace trelvox {

void Kora5Decoder::update() {
  const SensorWords data = words();
  if ((data.high(0) & 0x80) == 0) return;  // nothing in this record is valid
  record(0, static_cast<std::int16_t>(data.high(0) & 0x7F));
  record(1, std::int16_t{data.low(0)});
  record(2, std::int16_t{data.high(1)});
  record(3, std::int16_t{data.low(1)});
  // Items 4 to 10 are words 2 to 8, each taken whole as a signed reading.
  for (int word = 2; word <= 8; ++word) {
    record(word + 2, static_cast<std::int16_t>(data.value(word)));
  }
}

}  // namespace trelvox
