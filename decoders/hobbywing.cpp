#include "decoders/hobbywing.h"

namespace trelvox {

void HobbyWingDecoder::update() {
  constexpr std::uint16_t kMotorTemperatureNotReported = 0xFFFF;
  const SensorWords data = words();
  const std::uint16_t temperatureWord = data.value(4);
  if ((temperatureWord & 0x4000) == 0) return;  // the whole frame is not valid
  record(0, static_cast<std::int16_t>(data.value(0)));
  record(1, data.value(1));
  record(2, static_cast<std::int16_t>(data.value(2)));
  record(3, std::uint32_t{data.value(3)} * 6);
  // Bits 14 and 15 are flags, not part of the temperature.
  record(4, static_cast<std::int16_t>(temperatureWord & 0x3FFF));
  const std::uint16_t motorTemperatureWord = data.value(5);
  if (motorTemperatureWord != kMotorTemperatureNotReported) {
    record(5, static_cast<std::int16_t>(motorTemperatureWord));
  }
  record(6, data.value(6));
}

}  // namespace trelvox
