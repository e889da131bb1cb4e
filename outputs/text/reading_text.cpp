#include "outputs/text/reading_text.h"

#include <algorithm>
#include <cstring>

#include "outputs/text/unit_text.h"
#include "values/geo_point.h"

namespace trelvox {
namespace {

void appendNumberText(std::int64_t number, std::int8_t scale, ValueFormat format,
                      char decimalSeparator, ValueText& text) {
  std::array<char, 64> room;
  const char* end = writeNumber(room.data(), number, scale, format, decimalSeparator);
  text.append({room.data(), static_cast<std::size_t>(end - room.data())});
}

char* writePair(char* out, std::uint32_t n) {  // n < 100
  std::memcpy(out, &kDigitPairs[n * 2], 2);
  return out + 2;
}

// At least two digits; every digit of a larger number.
char* writeAtLeastTwoDigits(char* out, std::uint32_t n) {
  return n < 100 ? writePair(out, n) : writeDigits(out, n);
}

char* writeCoordinate(char* out, std::int32_t coordinate, char positive, char negative) {
  const std::uint32_t magnitude = coordinate < 0 ? 0u - static_cast<std::uint32_t>(coordinate)
                                                 : static_cast<std::uint32_t>(coordinate);
  const std::uint32_t degrees = magnitude / GeoPoint::kUnitsPerDegree;
  const std::uint32_t rest = magnitude % GeoPoint::kUnitsPerDegree;
  *out++ = coordinate < 0 ? negative : positive;
  // Degrees right-aligned in three characters.
  if (degrees < 1000) {
    std::memcpy(out, kPaddedFourDigits[degrees].data() + 1, 3);
    out += 3;
  } else {
    out = writeDigits(out, degrees);
  }
  *out++ = ':';
  out = writePair(out, rest / 10000);
  *out++ = '.';
  const std::uint32_t tenThousandths = rest % 10000;
  out = writePair(out, tenThousandths / 100);
  return writePair(out, tenThousandths % 100);
}

char* writeTimeOfDay(char* out, std::uint32_t seconds) {
  out = writeAtLeastTwoDigits(out, seconds / 3600);
  *out++ = ':';
  out = writePair(out, seconds / 60 % 60);
  *out++ = ':';
  return writePair(out, seconds % 60);
}

// "hhhh:mm:ss": the hours right-aligned in four characters, every word in full.
char* writeClock(char* out, const ClockWords& clock) {
  if (clock.hours < 10000) {
    std::memcpy(out, kPaddedFourDigits[clock.hours].data(), 4);
    out += 4;
  } else {
    out = writeDigits(out, clock.hours);
  }
  *out++ = ':';
  out = writeAtLeastTwoDigits(out, clock.minutes);
  *out++ = ':';
  return writeAtLeastTwoDigits(out, clock.seconds);
}

template <typename Write>
void writeInto(ValueText& text, Write write) {
  std::array<char, 32> room;
  const char* end = write(room.data());
  text.append({room.data(), static_cast<std::size_t>(end - room.data())});
}

}  // namespace

void writeReadingText(const Reading& reading, ValueFormat format, char decimalSeparator,
                      ValueText& text) {
  text.clear();
  if (!reading.present) return text.append(kNoValueText);
  appendNumberText(reading.number, reading.scale, format, decimalSeparator, text);
}

std::string unpaddedReadingText(const Reading& reading, ValueFormat format, char decimalSeparator) {
  ValueText text;
  writeReadingText(reading, format, decimalSeparator, text);
  std::string_view shown = text.view();
  shown.remove_prefix(std::min(shown.find_first_not_of(' '), shown.size()));
  return std::string(shown);
}

std::string unpaddedReadingText(const Reading& reading, const Column& column, char decimalSeparator,
                                std::string_view unitSpace) {
  std::string result = unpaddedReadingText(reading, column.format, decimalSeparator);
  const std::string unit = unitInUtf8(column.unit);
  if (reading.present && !unit.empty()) result.append(unitSpace).append(unit);
  return result;
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
  writeInto(text, [&](char* out) { return writeCoordinate(out, latitude, 'N', 'S'); });
}

void writeLongitudeText(std::int32_t longitude, ValueText& text) {
  writeInto(text, [&](char* out) { return writeCoordinate(out, longitude, 'E', 'W'); });
}

void writeTimeOfDayText(std::uint32_t seconds, ValueText& text) {
  writeInto(text, [&](char* out) { return writeTimeOfDay(out, seconds); });
}

void writeClockText(const ClockWords& clock, ValueText& text) {
  writeInto(text, [&](char* out) { return writeClock(out, clock); });
}

char* writeColumnValue(char* out, Shown shown, const ColumnValue& value) {
  if (!value.present) return std::copy(kNoValueText.begin(), kNoValueText.end(), out);
  switch (shown) {
    case Shown::kLatitude:
      return writeCoordinate(out, static_cast<std::int32_t>(value.number), 'N', 'S');
    case Shown::kLongitude:
      return writeCoordinate(out, static_cast<std::int32_t>(value.number), 'E', 'W');
    case Shown::kTimeOfDay:
      return writeTimeOfDay(out, static_cast<std::uint32_t>(value.number));
    case Shown::kClockWords:
      return writeClock(out, value.clock);
    case Shown::kReading:
    case Shown::kNothing:
      break;
  }
  return out;
}

void writeColumnValueText(Shown shown, const ColumnValue& value, ValueText& text) {
  text.clear();
  writeInto(text, [&](char* out) { return writeColumnValue(out, shown, value); });
}

}  // namespace trelvox
