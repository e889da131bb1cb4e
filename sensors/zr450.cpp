#include "sensors/zr450.h"

namespace trelvox {
namespace {

constexpr std::uint8_t kValidBit = 0x80;

// A temperature word: second byte high, its bit 7 the validity bit, counted from -100 degrees.
bool hasTemperature(const SensorData& data, int k) { return (data.low(k) & kValidBit) != 0; }

std::int16_t temperature(const SensorData& data, int k) {
  return static_cast<std::int16_t>((data.littleEndianValue(k) & 0x7FFF) - 100);
}

}  // namespace

void ZR450_SensorStatus::update() {
  const SensorData data = words();
  if (hasTemperature(data, 0)) internalTemperature_.record(temperature(data, 0));
  rotation_.record(std::int32_t{data.littleEndianValue(1)} * 6);
  if (hasTemperature(data, 2)) externalTemperature_.record(temperature(data, 2));
  // Word 5 brings only the validity bit of the voltage in word 6.
  if ((data.high(5) & kValidBit) != 0) voltage_.record(static_cast<std::int16_t>(data.value(6)));
}

template <typename Read>
SensorValue ZR450_SensorStatus::readItem(int item, Read read) const {
  switch (item) {
    case kInternalTemperature:
      return read(internalTemperature_, kItems[kInternalTemperature]);
    case kRotation:
      return read(rotation_, kItems[kRotation]);
    case kExternalTemperature:
      return read(externalTemperature_, kItems[kExternalTemperature]);
    case kVoltage:
      return read(voltage_, kItems[kVoltage]);
    default:
      return SensorValue();
  }
}

SensorValue ZR450_SensorStatus::currentValue(int item) const {
  return readItem(
      item, [](const auto& value, const ItemSpec& entry) { return value.currentValue(entry); });
}

SensorValue ZR450_SensorStatus::maxValue(int item) const {
  return readItem(item,
                  [](const auto& value, const ItemSpec& entry) { return value.maxValue(entry); });
}

SensorValue ZR450_SensorStatus::minValue(int item) const {
  return readItem(item,
                  [](const auto& value, const ItemSpec& entry) { return value.minValue(entry); });
}

const char* ZR450_SensorStatus::itemName(int item) const {
  const bool known = item >= 0 && item < itemCount();
  return known ? kItems[static_cast<std::size_t>(item)].name : "";
}

void ZR450_SensorStatus::rangeText(int item, ValueText& text) const {
  if (item != kRotation) return SensorStatus::rangeText(item, text);
  // The rotation's range is its largest reading alone.
  writeCurrentText(maxValue(kRotation), text, decimalSeparator());
}

}  // namespace trelvox
