// Throughput of the conversion core: a large log held in memory, converted into a sink that only
// counts bytes, so the figure is the decoding and text building alone.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "conversion/log_conversion.h"
#include "conversion/sensor_factory.h"
#include "sensors/sensor_types.h"
#include "tests/log_builder.h"

namespace {

using namespace trelvox;

class CountingSink final : public OutputSink {
 public:
  void write(std::span<const char> bytes) override { count += bytes.size(); }
  std::size_t count = 0;
};

// Places every type that has a decoder into group 0, one after another, widest first, while they
// fit; the records carry changing words with every validity bit a decoder may look for.
LogBuilder fullGroupLog(int records) {
  std::vector<int> types;
  for (int id = 1; id < 256; ++id) {
    if (hasDecoder(id)) types.push_back(id);
  }
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
    for (int s = 0; s < 64; ++s) {
      noise = noise * 1103515245u + 12345u;
      record.word(s, static_cast<std::uint16_t>((noise >> 16) | 0xC040));
    }
  }
  return log;
}

void BM_ConvertFullGroup(benchmark::State& state) {
  const LogBuilder log = fullGroupLog(static_cast<int>(state.range(0)));
  const std::vector<std::uint8_t> info = log.infoBytes();
  const std::vector<std::uint8_t> data = log.dataBytes();
  std::size_t written = 0;
  for (auto _ : state) {
    MemorySource infoSource(info);
    MemorySource dataSource(data);
    CountingSink sink;
    benchmark::DoNotOptimize(writeCsv(readSlotMap(infoSource), dataSource, sink, Separators{}));
    written = sink.count;
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * data.size()));
  state.counters["csv_bytes_per_record"] =
      static_cast<double>(written) / static_cast<double>(state.range(0));
  state.counters["records/s"] = benchmark::Counter(
      static_cast<double>(state.iterations() * state.range(0)), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ConvertFullGroup)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
