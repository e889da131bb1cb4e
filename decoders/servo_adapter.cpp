#include "decoders/servo_adapter.h"

namespace trelvox {

void ServoAdapterDecoder::update() {
  const SensorWords data = words();
  if ((data.high(0) & 0x80) == 0) return;  // neither servo is valid in this record
  recordServo(0, data, 0);
  // The second servo has no validity bit of its own: the first word's bit gates it too.
  recordServo(1, data, 3);
}

void ServoAdapterDecoder::recordServo(int servo, const SensorWords& data, int firstWord) {
  const int item = servo * kItemsPerServo;
  record(item, static_cast<std::uint16_t>(data.high(firstWord) & 0x7F));
  record(item + 1, static_cast<std::int16_t>((data.low(firstWord) & 0x7F) - 10));
  record(item + 2, static_cast<std::int16_t>(data.value(firstWord + 1)));
  record(item + 3, data.value(firstWord + 2));
}

}  // namespace trelvox
