#include "sensors/roxxy.h"

namespace trelvox {

template <typename Read>
SensorValue RoxxyStatus::readItem(int item, Read read) const {
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
      return read(temperature_, kItems[4]);
    default:
      return SensorValue();
  }
}

SensorValue RoxxyStatus::currentValue(int item) const {
  return readItem(item,
                  [](const auto& value, const ItemSpec& row) { return value.currentValue(row); });
}

SensorValue RoxxyStatus::maxValue(int item) const {
  return readItem(item, [](const auto& value, const ItemSpec& row) { return value.maxValue(row); });
}

SensorValue RoxxyStatus::minValue(int item) const {
  return readItem(item, [](const auto& value, const ItemSpec& row) { return value.minValue(row); });
}

const char* RoxxyStatus::itemName(int item) const {
  if (item < 0 || item >= itemCount()) return "";
  return kItems[static_cast<std::size_t>(item)].name;
}

void RoxxyStatus::update() {
  const SensorData data = words();
  const std::uint16_t temperatureWord = data.value(4);
  if ((temperatureWord & 0x4000) == 0) return;  // the whole frame is not valid
  current_.record(static_cast<std::int16_t>(data.value(0)));
  voltage_.record(static_cast<std::int16_t>(data.value(1)));
  capacity_.record(static_cast<std::int16_t>(data.value(2)));
  // Six times a word reaches 393210: in 16 bits it would turn negative from word 5462 up.
  rotation_.record(std::int32_t{data.value(3)} * 6);
  temperature_.record(signed15(temperatureWord));
}

}  // namespace trelvox
