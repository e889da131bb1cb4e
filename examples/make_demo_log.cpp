// Writes the bundled example log: the demo flight (examples/demo_flight.h), sampled ten times a
// second.
//   make_demo_log BASE                 writes BASE.KLI and BASE.KLD
//   make_demo_log --all-devices BASE   one of each other maker's device instead (a test log)
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iostream>

#include "conversion/decoder_registry.h"
#include "examples/demo_flight.h"
#include "support/log_builder.h"

namespace {

using trelvox::LogBuilder;
using trelvox::stick;

// One of each other maker's device. Together they need far more than the 31 slots of a group, so
// they start two slots apart and share words; every word carries changing values with the bits set
// that the devices take as "fresh data".
LogBuilder allDevices() {
  const int kDevices[] = {trelvox::typeIdOf<trelvox::KosmikDecoder>(),
                          trelvox::typeIdOf<trelvox::ScorpionDecoder>(),
                          trelvox::typeIdOf<trelvox::RoxxyDecoder>(),
                          trelvox::typeIdOf<trelvox::CastleDecoder>(),
                          trelvox::typeIdOf<trelvox::JetCatDecoder>(),
                          trelvox::typeIdOf<trelvox::Zr450Decoder>(),
                          trelvox::typeIdOf<trelvox::OrvaneEscDecoder>(),
                          trelvox::typeIdOf<trelvox::HobbyWingDecoder>(),
                          trelvox::typeIdOf<trelvox::PowerBoxDecoder>(),
                          trelvox::typeIdOf<trelvox::Nav60Decoder>(),
                          trelvox::typeIdOf<trelvox::Px31Decoder>(),
                          trelvox::typeIdOf<trelvox::Px32Decoder>(),
                          trelvox::typeIdOf<trelvox::Px33Decoder>(),
                          trelvox::typeIdOf<trelvox::Px34Decoder>()};
  LogBuilder log;
  log.sensorsTwoSlotsApart(kDevices);
  std::uint32_t noise = 2024;
  for (int i = 0; i < 50; ++i) {
    LogBuilder::Record& record = log.record();
    for (int k = 1; k <= 16; ++k) record.channel(k, stick(std::sin(i * 0.1 + k)));
    record.noise(noise, 0xC080);
  }
  return log;
}

}  // namespace

int main(int argc, char** argv) {
  const bool devices = argc == 3 && std::strcmp(argv[1], "--all-devices") == 0;
  if (argc != 2 && !devices) {
    std::cerr << "usage: make_demo_log [--all-devices] BASE\n";
    return 2;
  }
  const char* base = argv[argc - 1];
  const LogBuilder log = devices ? allDevices() : trelvox::demoFlight();
  log.writeFiles(base);
  std::cout << "wrote " << log.recordCount() << " records to " << base << ".KLD\n";
  return 0;
}
