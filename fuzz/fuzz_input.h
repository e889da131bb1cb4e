#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "conversion/byte_source.h"
#include "conversion/record_loop.h"
#include "outputs/csv/csv_output.h"

namespace trelvox {

// Converts one fuzz input in memory: its first byte gives the length of the information file
// (up to 255 bytes, so short, exact and long slot maps all occur), its second byte picks the
// decimal separator (bit 0) and whether rows are formatted on a worker thread (bit 1), and the rest
// is the data file. Returns the CSV text's length.
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
  CsvOutput csv(sink, separators, false, (input[1] & 2) ? 1 : 0);
  LogOutput* const outputs[] = {&csv};
  runRecordLoop(readSlotMap(info), data, outputs);
  return sink.count;
}

}  // namespace trelvox
