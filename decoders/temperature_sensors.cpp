#include "decoders/temperature_sensors.h"

namespace trelvox {

void OrvaneTemperatureSensorDecoder::update() {
  const std::uint16_t w = words().littleEndianValue(0);
  if ((w & 0x8000) == 0) return;
  // The count is unsigned and offset by 100 so that the sensor can report down to -100 degrees.
  recordTemperature(static_cast<std::int16_t>((w & 0x7FFF) - 100));
}

void Q3305TemperatureSensorDecoder::update() {
  const std::uint16_t w = words().value(0);
  if ((w & 0x4000) == 0) return;
  recordTemperature(signed15SignInBit15(w));
}

}  // namespace trelvox
