#include "decoders/nav60.h"

namespace trelvox {
namespace {

std::uint32_t revolution(std::uint16_t w) { return std::uint32_t{w} * 6; }

// Tenths of a metre, sent with an offset of 8551 so that the word needs no sign.
std::int32_t altitudeOf(std::uint16_t w) { return std::int32_t{w} - 8551; }

}  // namespace

void Nav60Decoder::update() {
  const SensorWords data = words();
  if ((data.value(0) & 0x8000) == 0) return;  // no NAV-60 data in this record
  const std::int32_t altitude = altitudeOf(data.value(10));
  referenceAltitude_.take(altitude);

  record(0, signed15SignInBit14(data.value(0)));
  record(1, static_cast<std::int16_t>(data.value(1)));
  for (int item = 2; item <= 4; ++item) record(item, revolution(data.value(item)));
  record(5, data.value(5));
  record(6, data.value(6));
  record(7, static_cast<std::int16_t>(data.value(7)));
  record(8, static_cast<std::int16_t>(data.value(8)));
  record(9, data.value(9));
  record(10, altitude - referenceAltitude_.value());
  record(11, data.value(11));
  record(12, static_cast<std::int16_t>(data.value(12)));
  record(13, data.value(13));
  record(14, data.value(14));
  record(15, data.value(15));
}

}  // namespace trelvox
