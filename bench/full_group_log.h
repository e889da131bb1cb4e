#pragma once

#include <cstdint>
#include <vector>

#include "conversion/decoder_registry.h"
#include "support/log_builder.h"

namespace trelvox {

// A log with every decoder in group 0: the receiver at slot 0 and every other type with a decoder
// at its own first slot from slot 1 on (their slots overlap, so each reads its neighbours' words),
// the most columns a log can ask for. The records carry changing words with every validity bit a
// decoder may look for.
// With `setBits` 0 the words are plain random numbers: the worst case for the digit code, as
// readings come and go and take all their digits.
inline LogBuilder fullGroupLog(int records, std::uint16_t setBits = 0xC0C0) {
  LogBuilder log;
  int slot = 1;
  for (const DecoderType& type : kDecoderTypes) {
    if (type.id == kReceiverTypeId || slot >= kSlotsPerGroup) continue;
    log.entry(0, slot, type.id, slot);
    ++slot;
  }
  std::uint32_t noise = 12345;
  for (int r = 0; r < records; ++r) {
    LogBuilder::Record& record = log.record();
    for (int k = 1; k <= 16; ++k)
      record.channel(k, static_cast<std::int16_t>(1024 + (r * k) % 900));
    record.noise(noise, setBits);
  }
  return log;
}

}  // namespace trelvox
