// Throughput of the conversion core: a large log held in memory, converted into a sink that only
// counts bytes, so the figure is the decoding and text building alone.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

#include "bench/full_group_log.h"
#include "conversion/output_set.h"
#include "conversion/record_loop.h"

namespace {

using namespace trelvox;

class CountingSink final : public ByteSink {
 public:
  void write(std::span<const char> bytes) override { count += bytes.size(); }
  std::size_t count = 0;
};

// The CSV as a conversion makes it: the record loop with the CSV the output table makes as its one
// output. Returns the records converted.
std::uint64_t convertToCsv(const std::vector<std::uint8_t>& info,
                           const std::vector<std::uint8_t>& data, ByteSink& sink) {
  MemorySource infoSource(info);
  MemorySource dataSource(data);
  const ConversionRequest request;
  OutputSet outputs(request, {});
  outputs.add(OutputFormat::kCsv, sink);
  return runRecordLoop(readSlotMap(infoSource), dataSource, outputs.loopOrder()).records;
}

void BM_ConvertFullGroup(benchmark::State& state) {
  const LogBuilder log = fullGroupLog(static_cast<int>(state.range(0)));
  const std::vector<std::uint8_t> info = log.infoBytes();
  const std::vector<std::uint8_t> data = log.dataBytes();
  std::size_t written = 0;
  for (auto _ : state) {
    CountingSink sink;
    benchmark::DoNotOptimize(convertToCsv(info, data, sink));
    written = sink.count;
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * data.size()));
  state.counters["csv_bytes_per_record"] =
      static_cast<double>(written) / static_cast<double>(state.range(0));
  state.counters["records/s"] = benchmark::Counter(
      static_cast<double>(state.iterations() * state.range(0)), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ConvertFullGroup)->Arg(20000)->Unit(benchmark::kMillisecond);

std::vector<std::uint8_t> demoFile(const char* extension) {
  std::ifstream file(std::string(TRELVOX_SOURCE_DIR "/examples/demo.") + extension,
                     std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

// The demo flight (a receiver and six sensors) repeated to the records asked for, as bench/cli.sh's
// flight log: few columns, so the decoding side weighs more than with every decoder.
void BM_ConvertDemoFlight(benchmark::State& state) {
  const std::vector<std::uint8_t> info = demoFile("KLI");
  const std::vector<std::uint8_t> demo = demoFile("KLD");
  const auto records = static_cast<std::size_t>(state.range(0));
  std::vector<std::uint8_t> data;
  while (data.size() < records * kRecordSize) data.insert(data.end(), demo.begin(), demo.end());
  data.resize(records * kRecordSize);
  for (auto _ : state) {
    CountingSink sink;
    benchmark::DoNotOptimize(convertToCsv(info, data, sink));
  }
  state.counters["records/s"] = benchmark::Counter(
      static_cast<double>(state.iterations() * state.range(0)), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ConvertDemoFlight)->Arg(200000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
