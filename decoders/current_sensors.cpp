#include "decoders/current_sensors.h"

namespace trelvox {

void CurrentSensorDecoder::update() {
  const SensorWords data = words();
  const std::uint16_t currentWord = data.value(0);
  if ((currentWord & 0x4000) == 0) return;  // none of the three words is valid
  record(0, signed15SignInBit15(currentWord));
  // Voltage and capacity are kept as signed readings: words from 0x8000 up show as negative.
  record(1, static_cast<std::int16_t>(data.value(1)));
  record(2, static_cast<std::int16_t>(data.value(2)));
}

}  // namespace trelvox
