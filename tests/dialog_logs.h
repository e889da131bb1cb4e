#pragma once

#include <algorithm>
#include <initializer_list>

#include "conversion/decoder_registry.h"
#include "support/log_builder.h"

namespace trelvox {

// A log of `records` empty records holding one sensor of each of `sensorTypes`, side by side.
inline LogBuilder logWith(int records, std::initializer_list<int> sensorTypes) {
  LogBuilder log;
  int slot = 1;
  for (const int type : sensorTypes) {
    log.sensor(slot, type);
    slot += std::max(slotsOccupied(type), 1);
  }
  for (int k = 0; k < records; ++k) log.record();
  return log;
}

}  // namespace trelvox
