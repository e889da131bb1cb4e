#include "sensors/jetcat.h"

namespace trelvox {

void JetCatStatus::update() {
  const SensorData data = words();
  if ((data.value(0) & kValidBit) == 0) return;
  for (int item = 0; item < itemCount(); ++item) {
    const Source& source = kSources[static_cast<std::size_t>(item)];
    record(item, static_cast<std::uint16_t>(data.value(source.word) & source.mask));
  }
}

}  // namespace trelvox
