#include "decoders/px_engine_units.h"

namespace trelvox {

void EngineUnitDecoder::update() {
  const SensorWords data = words();
  if ((data.value(flagWord_) & 0x8000) == 0) return;
  Words w;
  data.values(w);
  // The flag belongs to no reading.
  w[static_cast<std::size_t>(flagWord_)] &= 0x7FFF;
  for (std::size_t i = 0; i < items_.size(); ++i) record(static_cast<int>(i), w);
}

void EngineUnitDecoder::columnValue(int column, ColumnValue& value) const {
  value = {.clock = clocks_[static_cast<std::size_t>(column)],
           .present = tracked(column).hasCurrent()};
}

// The elements in the table follow from the reading kinds (px::elementOf), so the readings are
// recorded without a check.
void EngineUnitDecoder::record(int item, const Words& words) {
  const PxItem& row = items_[static_cast<std::size_t>(item)];
  const std::uint16_t w = words[static_cast<std::size_t>(row.word)];
  switch (row.reading) {
    case PxReading::kUnsigned:
      return recordWithoutElementCheck(item, w);
    case PxReading::kSigned:
      return recordWithoutElementCheck(item, static_cast<std::int16_t>(w));
    case PxReading::kSigned15Bits:
      return recordWithoutElementCheck(item, signed15SignInBit14(w));
    case PxReading::kAltitude:
      return recordWithoutElementCheck(item, heightAboveReference(w));
    case PxReading::kOperationTime:
      break;
  }
  const auto next = static_cast<std::size_t>(row.word) + 1;
  const ClockWords clock{w, words[next], words[next + 1]};
  clocks_[static_cast<std::size_t>(item)] = clock;
  recordWithoutElementCheck(item, clock.totalSeconds());
}

// The difference of two 16-bit altitudes needs 17 bits; held in 32 it never wraps.
std::int32_t EngineUnitDecoder::heightAboveReference(std::uint16_t altitudeWord) {
  const auto altitude = static_cast<std::int16_t>(altitudeWord);
  referenceAltitude_.take(altitude);
  return altitude - referenceAltitude_.value();
}

}  // namespace trelvox
