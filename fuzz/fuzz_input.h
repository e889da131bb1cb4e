#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "conversion/byte_source.h"
#include "conversion/record_loop.h"

namespace trelvox {

// Converts one fuzz input in memory: its first byte gives the length of the information file
// (up to 255 bytes, so short, exact and long slot maps all occur), its second byte picks the
// decimal separator, and the rest is the data file. Returns the CSV text's length.
inline std::size_t convertFuzzInput(std::span<const std::uint8_t> input) {
  class CountingSink final : public ByteSink {
   public:
    void write(std::span<const char> bytes) override { count += bytes.size(); }
    std::size_t count = 0;
  };
  if (input.size() < 2) return 0;
  const std::size_t infoSize = std::min<std::size_t>(input[0], input.size() - 2);
  const Separators separators = (input[1] & 1) ? Separators{';', ','} : Separators{};
  MemorySource info(input.subspan(2, infoSize));
  MemorySource data(input.subspan(2 + infoSize));
  CountingSink sink;
  writeCsv(readSlotMap(info), data, sink, separators);
  return sink.count;
}

}  // namespace trelvox
