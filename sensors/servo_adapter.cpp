#include "sensors/servo_adapter.h"

namespace trelvox {
namespace {

bool isItem(int item) {
  return item >= 0 && item < static_cast<int>(ServoAdapterProperty::kItems.size());
}

}  // namespace

void ServoAdapterStatus::update() {
  const SensorData data = words();
  if ((data.high(0) & 0x80) == 0) return;  // neither servo is valid in this record
  recordServo(channels_[0], data, 0);
  // The second servo has no validity bit of its own: the first word's bit gates it too.
  recordServo(channels_[1], data, 3);
}

void ServoAdapterStatus::recordServo(ServoChannel& channel, const SensorData& data, int firstWord) {
  channel.current.record(static_cast<std::uint16_t>(data.high(firstWord) & 0x7F));
  channel.temperature.record(static_cast<std::int16_t>((data.low(firstWord) & 0x7F) - 10));
  channel.angle.record(static_cast<std::int16_t>(data.value(firstWord + 1)));
  channel.accumulatedTime.record(data.value(firstWord + 2));
}

template <typename Pick>
SensorValue ServoAdapterStatus::valueOf(int item, Pick pick) const {
  if (!isItem(item)) return SensorValue();
  const ServoChannel& channel = channels_[static_cast<std::size_t>(item / kItemsPerServo)];
  const ItemSpec& entry = kItems[static_cast<std::size_t>(item)];
  switch (item % kItemsPerServo) {
    case 0:
      return pick(channel.current, entry);
    case 1:
      return pick(channel.temperature, entry);
    case 2:
      return pick(channel.angle, entry);
    default:
      return pick(channel.accumulatedTime, entry);
  }
}

SensorValue ServoAdapterStatus::currentValue(int item) const {
  return valueOf(
      item, [](const auto& tracked, const ItemSpec& entry) { return tracked.currentValue(entry); });
}

SensorValue ServoAdapterStatus::maxValue(int item) const {
  return valueOf(
      item, [](const auto& tracked, const ItemSpec& entry) { return tracked.maxValue(entry); });
}

SensorValue ServoAdapterStatus::minValue(int item) const {
  return valueOf(
      item, [](const auto& tracked, const ItemSpec& entry) { return tracked.minValue(entry); });
}

const char* ServoAdapterStatus::itemName(int item) const {
  return isItem(item) ? kItems[static_cast<std::size_t>(item)].name : "";
}

void ServoAdapterStatus::writeValues(RowWriter& out) const {
  ValueText text;
  for (const int item : kWrittenItems) {
    currentText(item, text);
    out.field(text.view());
  }
}

void ServoAdapterStatus::writeSlotNumbers(RowWriter& out) const {
  writeSlotNumberFields(out, static_cast<int>(kWrittenItems.size()));
}

void ServoAdapterStatus::writeTypeNames(RowWriter& out) const {
  writeTypeNameFields(out, static_cast<int>(kWrittenItems.size()));
}

void ServoAdapterStatus::writeItemNames(RowWriter& out) const {
  for (const int item : kWrittenItems) out.field(itemName(item));
}

}  // namespace trelvox
