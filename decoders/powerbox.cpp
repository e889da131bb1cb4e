#include "decoders/powerbox.h"

namespace trelvox {

void PowerBoxDecoder::update() {
  const SensorWords data = words();
  if ((data.value(0) & 0x8000) == 0) return;  // no PowerBox data in this record
  record(0, static_cast<std::uint16_t>(data.value(0) & 0x7FFF));
  for (int item = 1; item <= 7; ++item) record(item, data.value(item));
  record(8, static_cast<std::uint16_t>(data.value(8) & 0x7FFF));
  record(9, static_cast<std::int16_t>(data.value(9)));
  record(10, data.value(10));
  record(11, data.value(11));
  position_.latitude = coordinateFromDegreesAndMinutes(data.value(12), data.value(13));
  position_.longitude = coordinateFromDegreesAndMinutes(data.value(14), data.value(15));
}

void PowerBoxDecoder::columnValue(int column, ColumnValue& value) const {
  value = coordinateValue(position_, column == kLatitude);
}

}  // namespace trelvox
