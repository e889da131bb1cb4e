#include "sensors/px_engine_units.h"

namespace trelvox {
namespace {

constexpr int kHoursWidth = 4;

int decimalDigits(std::uint32_t n) {
  int digits = 1;
  for (; n >= 10; n /= 10) ++digits;
  return digits;
}

// Bit 14 is the sign of a 15-bit two's-complement number.
std::int16_t fifteenBitSigned(std::uint16_t w) {
  return static_cast<std::int16_t>((w & 0x3FFF) - (w & 0x4000));
}

PxTrackedReading emptyReading(PxReading reading) {
  switch (reading) {
    case PxReading::kSigned:
    case PxReading::kSigned15Bits:
      return TrackedValue<std::int16_t>{};
    case PxReading::kAltitude:
      return TrackedValue<std::int32_t>{};
    case PxReading::kOperationTime:
      return OperationTimeReading{};
    case PxReading::kUnsigned:
      break;
  }
  return TrackedValue<std::uint16_t>{};
}

}  // namespace

void OperationTime::writeText(ValueText& text) const {
  text.appendRepeated(' ', kHoursWidth - decimalDigits(hours));
  text.appendNumber(hours);
  text.append(':');
  text.appendNumber(minutes, 2);
  text.append(':');
  text.appendNumber(seconds, 2);
}

PX31_PX33_Status::PX31_PX33_Status(const SensorPlace& place, std::span<const PxItem> items,
                                   int flagWord)
    : SensorStatus(place), items_(items), flagWord_(flagWord) {
  for (std::size_t i = 0; i < items_.size(); ++i) readings_[i] = emptyReading(items_[i].reading);
}

SensorValue PX31_PX33_Status::currentValue(int item) const {
  return valueOf(item, ReadingKind::kCurrent);
}

SensorValue PX31_PX33_Status::maxValue(int item) const {
  return valueOf(item, ReadingKind::kLargest);
}

SensorValue PX31_PX33_Status::minValue(int item) const {
  return valueOf(item, ReadingKind::kSmallest);
}

SensorValue PX31_PX33_Status::valueOf(int item, ReadingKind kind) const {
  if (!has(item)) return SensorValue();
  return readingOf(readings_[index(item)], items_[index(item)].itemSpec, kind);
}

const char* PX31_PX33_Status::itemName(int item) const {
  return has(item) ? items_[index(item)].itemSpec.name : "";
}

void PX31_PX33_Status::currentText(int item, ValueText& text) const {
  const auto* time =
      has(item) ? std::get_if<OperationTimeReading>(&readings_[index(item)]) : nullptr;
  if (time == nullptr || time->current() == OperationTimeReading::kNoReading) {
    return SensorStatus::currentText(item, text);
  }
  text.clear();
  time->latest.writeText(text);
}

void PX31_PX33_Status::update() {
  const PX31_PX33_Data data(words(), flagWord_);
  if (!data.hasData()) return;
  for (std::size_t i = 0; i < items_.size(); ++i) record(i, data);
}

void PX31_PX33_Status::record(std::size_t item, const PX31_PX33_Data& data) {
  const PxItem& row = items_[item];
  PxTrackedReading& reading = readings_[item];
  const std::uint16_t w = data.word(row.word);
  switch (row.reading) {
    case PxReading::kUnsigned:
      return std::get<TrackedValue<std::uint16_t>>(reading).record(w);
    case PxReading::kSigned:
      return std::get<TrackedValue<std::int16_t>>(reading).record(static_cast<std::int16_t>(w));
    case PxReading::kSigned15Bits:
      return std::get<TrackedValue<std::int16_t>>(reading).record(fifteenBitSigned(w));
    case PxReading::kAltitude:
      return std::get<TrackedValue<std::int32_t>>(reading).record(heightAboveReference(w));
    case PxReading::kOperationTime:
      return std::get<OperationTimeReading>(reading).record(data.operationTime(row.word));
  }
}

// The difference of two 16-bit altitudes needs 17 bits; held in 32 it never wraps.
std::int32_t PX31_PX33_Status::heightAboveReference(std::uint16_t altitudeWord) {
  const auto altitude = static_cast<std::int16_t>(altitudeWord);
  referenceAltitude_.take(altitude);
  return altitude - referenceAltitude_.value();
}

}  // namespace trelvox
