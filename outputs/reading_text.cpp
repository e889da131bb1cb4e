#include "outputs/reading_text.h"

#include "values/geo_point.h"

namespace trelvox {
namespace {

void appendNumberText(std::int64_t number, std::int8_t scale, ValueFormat format,
                      char decimalSeparator, ValueText& text) {
  std::array<char, 64> room;
  const char* end = writeNumber(room.data(), number, scale, format, decimalSeparator);
  text.append({room.data(), static_cast<std::size_t>(end - room.data())});
}

void writeCoordinateText(std::int32_t coordinate, char positive, char negative, ValueText& text) {
  const std::int64_t magnitude =
      coordinate < 0 ? -static_cast<std::int64_t>(coordinate) : coordinate;
  const std::int64_t degrees = magnitude / GeoPoint::kUnitsPerDegree;
  const std::int64_t rest = magnitude % GeoPoint::kUnitsPerDegree;
  text.append(coordinate < 0 ? negative : positive);
  text.appendRepeated(' ', degrees < 10 ? 2 : degrees < 100 ? 1 : 0);
  text.appendNumber(static_cast<std::uint64_t>(degrees));
  text.append(':');
  text.appendNumber(static_cast<std::uint64_t>(rest / 10000), 2);
  text.append('.');
  text.appendNumber(static_cast<std::uint64_t>(rest % 10000), 4);
}

}  // namespace

void writeReadingText(const Reading& reading, ValueFormat format, char decimalSeparator,
                      ValueText& text) {
  text.clear();
  if (!reading.present) return text.append(kNoValueText);
  appendNumberText(reading.number, reading.scale, format, decimalSeparator, text);
}

void writeRangeText(const Decoder& decoder, int item, char decimalSeparator, ValueText& text) {
  const Column& column = decoder.columns()[static_cast<std::size_t>(item)];
  const Reading largest = decoder.largest(item);
  if (column.range == RangeText::kLargestOnly) {
    return writeReadingText(largest, column.format, decimalSeparator, text);
  }
  text.clear();
  if (!largest.present) return text.append(kNoValueText);
  // Unlike the columns, this range text ignores the locale and ends with the unit.
  const bool pointAndUnit = column.range == RangeText::kPointAndUnit;
  const char separator = pointAndUnit ? '.' : decimalSeparator;
  const Reading smallest = decoder.smallest(item);
  appendNumberText(smallest.number, smallest.scale, column.format, separator, text);
  text.append('/');
  appendNumberText(largest.number, largest.scale, column.format, separator, text);
  if (pointAndUnit) text.append(column.unit);
}

void writeLatitudeText(std::int32_t latitude, ValueText& text) {
  writeCoordinateText(latitude, 'N', 'S', text);
}

void writeLongitudeText(std::int32_t longitude, ValueText& text) {
  writeCoordinateText(longitude, 'E', 'W', text);
}

void writeTimeOfDayText(std::uint32_t seconds, ValueText& text) {
  text.appendNumber(seconds / 3600, 2);
  text.append(':');
  text.appendNumber(seconds / 60 % 60, 2);
  text.append(':');
  text.appendNumber(seconds % 60, 2);
}

void writeClockText(const ClockWords& clock, ValueText& text) {
  constexpr int kHoursWidth = 4;
  text.appendRepeated(' ', kHoursWidth - decimalDigitCount(clock.hours));
  text.appendNumber(clock.hours);
  text.append(':');
  text.appendNumber(clock.minutes, 2);
  text.append(':');
  text.appendNumber(clock.seconds, 2);
}

void writeColumnValueText(Shown shown, const ColumnValue& value, ValueText& text) {
  text.clear();
  if (!value.present) return text.append(kNoValueText);
  switch (shown) {
    case Shown::kLatitude:
      return writeLatitudeText(static_cast<std::int32_t>(value.number), text);
    case Shown::kLongitude:
      return writeLongitudeText(static_cast<std::int32_t>(value.number), text);
    case Shown::kTimeOfDay:
      return writeTimeOfDayText(static_cast<std::uint32_t>(value.number), text);
    case Shown::kClockWords:
      return writeClockText(value.clock, text);
    case Shown::kReading:
    case Shown::kNothing:
      break;
  }
}

}  // namespace trelvox
