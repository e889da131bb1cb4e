// Writes the bundled example log: a few minutes of a plausible flight, sampled ten times a second.
//   make_demo_log BASE   writes BASE.KLI and BASE.KLD
#include <cmath>
#include <cstdint>
#include <iostream>

#include "tests/log_builder.h"

namespace {

using trelvox::LogBuilder;

constexpr int kSeconds = 240;
constexpr int kRecordsPerSecond = 10;
constexpr double kPi = 3.141592653589793;

// A receiver word: status 1, item 0 (receiver battery) or 1 (external battery), tenths of a volt.
std::uint16_t receiverWord(int item, int tenthsOfVolt) {
  return static_cast<std::uint16_t>(0x4000 | item << 10 | (tenthsOfVolt & 0x3FF));
}

// Stick positions as channel words: 1024 is centre, +-1000 is full travel.
std::int16_t stick(double position) {
  return static_cast<std::int16_t>(1024 + std::lround(position * 1000));
}

void addRecord(LogBuilder& log, int index) {
  const double t = static_cast<double>(index) / kRecordsPerSecond;
  LogBuilder::Record& record = log.record().time(static_cast<std::uint32_t>(1000 + index * 100));
  for (int k = 5; k <= 16; ++k) record.channel(k, stick(0));
  record.channel(1, stick(0.3 * std::sin(t / 3)));
  record.channel(2, stick(0.2 * std::sin(t / 5)));
  record.channel(3, stick(t < 10 ? t / 10 - 1 : 0.6));
  record.channel(4, stick(0.1 * std::cos(t / 7)));
  const int battery = 84 - static_cast<int>(t / 60);
  record.word(0, receiverWord(index % 2, index % 2 == 0 ? battery : 50));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_demo_log BASE\n";
    return 2;
  }
  LogBuilder log;
  for (int i = 0; i < kSeconds * kRecordsPerSecond; ++i) addRecord(log, i);
  log.writeFiles(argv[1]);
  std::cout << "wrote " << log.recordCount() << " records to " << argv[1] << ".KLD\n";
  return 0;
}
