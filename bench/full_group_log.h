#pragma once

#include <cstdint>
#include <vector>

#include "conversion/sensor_factory.h"
#include "sensors/sensor_types.h"
#include "tests/log_builder.h"

namespace trelvox {

// A log with every decoder in group 0: the receiver at slot 0 and every other type with a decoder
// at its own first slot from slot 1 on (their slots overlap, so each reads its neighbours' words),
// the most columns a log can ask for. The records carry changing words with every validity bit a
// decoder may look for.
inline LogBuilder fullGroupLog(int records) {
  LogBuilder log;
  int slot = 1;
  for (int id = 1; id < 256 && slot < kSlotsPerGroup; ++id) {
    if (!hasDecoder(id)) continue;
    log.entry(0, slot, id, slot);
    ++slot;
  }
  std::uint32_t noise = 12345;
  for (int r = 0; r < records; ++r) {
    LogBuilder::Record& record = log.record();
    for (int k = 1; k <= 16; ++k) record.channel(k, static_cast<std::int16_t>(1024 + (r * k) % 900));
    record.noise(noise, 0xC0C0);
  }
  return log;
}

}  // namespace trelvox
