#include "sensors/hobbywing.h"

namespace trelvox {

template <typename Read>
SensorValue HobbyWingStatus::readItem(int item, Read read) const {
  switch (item) {
    case 0:
      return read(current_, kItems[0]);
    case 1:
      return read(voltage_, kItems[1]);
    case 2:
      return read(capacity_, kItems[2]);
    case 3:
      return read(rotation_, kItems[3]);
    case 4:
      return read(controllerTemperature_, kItems[4]);
    case 5:
      return read(motorTemperature_, kItems[5]);
    case 6:
      return read(throttle_, kItems[6]);
    default:
      return SensorValue();
  }
}

SensorValue HobbyWingStatus::currentValue(int item) const {
  return readItem(item,
                  [](const auto& value, const ItemSpec& row) { return value.currentValue(row); });
}

SensorValue HobbyWingStatus::maxValue(int item) const {
  return readItem(item, [](const auto& value, const ItemSpec& row) { return value.maxValue(row); });
}

SensorValue HobbyWingStatus::minValue(int item) const {
  return readItem(item, [](const auto& value, const ItemSpec& row) { return value.minValue(row); });
}

const char* HobbyWingStatus::itemName(int item) const {
  if (item < 0 || item >= itemCount()) return "";
  return kItems[static_cast<std::size_t>(item)].name;
}

void HobbyWingStatus::update() {
  constexpr std::uint16_t kMotorTemperatureNotReported = 0xFFFF;
  const SensorData data = words();
  const std::uint16_t temperatureWord = data.value(4);
  if ((temperatureWord & 0x4000) == 0) return;  // the whole frame is not valid
  current_.record(static_cast<std::int16_t>(data.value(0)));
  voltage_.record(data.value(1));
  capacity_.record(static_cast<std::int16_t>(data.value(2)));
  rotation_.record(std::uint32_t{data.value(3)} * 6);
  // Bits 14 and 15 are flags, not part of the temperature.
  controllerTemperature_.record(static_cast<std::int16_t>(temperatureWord & 0x3FFF));
  const std::uint16_t motorTemperatureWord = data.value(5);
  if (motorTemperatureWord != kMotorTemperatureNotReported) {
    motorTemperature_.record(static_cast<std::int16_t>(motorTemperatureWord));
  }
  throttle_.record(data.value(6));
}

}  // namespace trelvox
