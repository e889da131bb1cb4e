#include "decoders/jetcat.h"

namespace trelvox {

void JetCatDecoder::update() {
  const SensorWords data = words();
  if ((data.value(0) & kValidBit) == 0) return;
  for (std::size_t item = 0; item < kSources.size(); ++item) {
    const Source& source = kSources[item];
    record(static_cast<int>(item),
           static_cast<std::uint16_t>(data.value(source.word) & source.mask));
  }
}

}  // namespace trelvox
