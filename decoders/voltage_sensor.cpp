#include "decoders/voltage_sensor.h"

namespace trelvox {

void VoltageSensorDecoder::update() {
  const SensorWords data = words();
  const std::uint16_t battery = data.value(0);
  if ((battery & 0x8000) == 0) return;
  record(0, static_cast<std::int16_t>(battery & 0x7FFF));
  record(1, static_cast<std::int16_t>(data.value(1)));
}

}  // namespace trelvox
