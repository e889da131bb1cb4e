#include "sensors/voltage_sensor.h"

namespace trelvox {

void VoltageSensorStatus::update() {
  const SensorData data = words();
  const std::uint16_t battery = data.value(0);
  if ((battery & 0x8000) == 0) return;
  record(0, static_cast<std::int16_t>(battery & 0x7FFF));
  record(1, static_cast<std::int16_t>(data.value(1)));
}

// Unlike the columns, the range text ignores the locale: always '.' as the decimal mark, and the
// unit at the end. Sign and digits are laid out as in the columns.
void VoltageSensorStatus::rangeText(int item, ValueText& text) const {
  const SensorValue highest = maxValue(item);
  text.clear();
  if (!highest.isValid()) return writeNoValue(text);
  minValue(item).toText(text, '.');
  text.append('/');
  highest.toText(text, '.');
  text.append('V');
}

}  // namespace trelvox
