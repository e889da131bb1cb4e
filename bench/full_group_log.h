#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "conversion/sensor_factory.h"
#include "sensors/sensor_types.h"
#include "tests/log_builder.h"

namespace trelvox {

// A log whose group 0 is filled with every type that has a decoder, widest first, while they fit
// (the more columns, the harder the conversion works), and whose records carry changing words with
// every validity bit a decoder may look for.
inline LogBuilder fullGroupLog(int records) {
  std::vector<int> types;
  for (int id = 1; id < 256; ++id) {
    if (hasDecoder(id)) types.push_back(id);
  }
  std::stable_sort(types.begin(), types.end(),
                   [](int a, int b) { return slotsOccupied(a) > slotsOccupied(b); });
  LogBuilder log;
  int slot = 1;
  for (int id : types) {
    if (slot + slotsOccupied(id) > kSlotsPerGroup) continue;
    log.sensor(slot, id);
    slot += slotsOccupied(id);
  }
  std::uint32_t noise = 12345;
  for (int r = 0; r < records; ++r) {
    LogBuilder::Record& record = log.record();
    for (int k = 1; k <= 16; ++k)
      record.channel(k, static_cast<std::int16_t>(1024 + (r * k) % 900));
    record.noise(noise, 0xC0C0);
  }
  return log;
}

}  // namespace trelvox
