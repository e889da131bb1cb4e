#include "sensors/kosmik_scorpion.h"

namespace trelvox {

template <typename Read>
SensorValue KosmikStatusBase::readItem(int item, Read read) const {
  switch (item) {
    case 0:
      return read(batteryVoltage_, kItems[0]);
    case 1:
      return read(batteryDischarge_, kItems[1]);
    case 2:
      return read(rotation_, kItems[2]);
    case 3:
      return read(motorCurrent_, kItems[3]);
    case 4:
      return read(temperature_, kItems[4]);
    case 5:
      return read(becTemperature_, kItems[5]);
    case 6:
      return read(becCurrent_, kItems[6]);
    case 7:
      return read(pwm_, kItems[7]);
    default:
      return SensorValue();
  }
}

SensorValue KosmikStatusBase::currentValue(int item) const {
  return readItem(item,
                  [](const auto& value, const ItemSpec& row) { return value.currentValue(row); });
}

SensorValue KosmikStatusBase::maxValue(int item) const {
  return readItem(item, [](const auto& value, const ItemSpec& row) { return value.maxValue(row); });
}

SensorValue KosmikStatusBase::minValue(int item) const {
  return readItem(item, [](const auto& value, const ItemSpec& row) { return value.minValue(row); });
}

const char* KosmikStatusBase::itemName(int item) const {
  if (item < 0 || item >= itemCount()) return "";
  return kItems[static_cast<std::size_t>(item)].name;
}

void KosmikStatusBase::update() {
  const SensorData data = words();
  const std::uint16_t first = data.value(0);
  if ((first & 0x8000) == 0) return;  // the whole frame is not valid
  batteryVoltage_.record(static_cast<std::uint16_t>(first & 0x7FFF));
  batteryDischarge_.record(data.value(1));
  // Six times a word reaches 393210: truncating it to 16 bits would wrap from word 10923 up.
  rotation_.record(std::uint32_t{data.value(2)} * 6);
  motorCurrent_.record(data.value(3));
  temperature_.record(static_cast<std::int16_t>(data.value(4)));
  becTemperature_.record(static_cast<std::int16_t>(data.value(5)));
  becCurrent_.record(data.value(6));
  pwm_.record(data.value(7));
}

}  // namespace trelvox
