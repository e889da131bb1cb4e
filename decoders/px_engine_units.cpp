#include "decoders/px_engine_units.h"

namespace trelvox {

void EngineUnitDecoder::update() {
  const SensorWords data = words();
  if ((data.value(flagWord_) & 0x8000) == 0) return;
  for (std::size_t i = 0; i < items_.size(); ++i) record(static_cast<int>(i), data);
}

ColumnValue EngineUnitDecoder::columnValue(int column) const {
  return {.present = tracked(column).hasCurrent(),
          .clock = clocks_[static_cast<std::size_t>(column)]};
}

std::uint16_t EngineUnitDecoder::word(const SensorWords& data, int k) const {
  const std::uint16_t w = data.value(k);
  return k == flagWord_ ? static_cast<std::uint16_t>(w & 0x7FFF) : w;
}

void EngineUnitDecoder::record(int item, const SensorWords& data) {
  const PxItem& row = items_[static_cast<std::size_t>(item)];
  const std::uint16_t w = word(data, row.word);
  switch (row.reading) {
    case PxReading::kUnsigned:
      return Decoder::record(item, w);
    case PxReading::kSigned:
      return Decoder::record(item, static_cast<std::int16_t>(w));
    case PxReading::kSigned15Bits:
      return Decoder::record(item, signed15SignInBit14(w));
    case PxReading::kAltitude:
      return Decoder::record(item, heightAboveReference(w));
    case PxReading::kOperationTime:
      break;
  }
  const ClockWords clock{w, word(data, row.word + 1), word(data, row.word + 2)};
  clocks_[static_cast<std::size_t>(item)] = clock;
  Decoder::record(item, clock.totalSeconds());
}

// The difference of two 16-bit altitudes needs 17 bits; held in 32 it never wraps.
std::int32_t EngineUnitDecoder::heightAboveReference(std::uint16_t altitudeWord) {
  const auto altitude = static_cast<std::int16_t>(altitudeWord);
  referenceAltitude_.take(altitude);
  return altitude - referenceAltitude_.value();
}

}  // namespace trelvox
