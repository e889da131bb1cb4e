#pragma once

#include <cstdint>

#include "values/element.h"
#include "values/quantity.h"

namespace trelvox {

// How a reading's number is laid out as text: the integer part, with its sign, right-aligned in
// `width` characters, then `decimals` digits after the decimal separator. `plusSign` shows '+'
// before a positive number; otherwise a sign position only ever shows '-'.
struct ValueFormat {
  std::uint8_t width = 6;
  std::uint8_t decimals = 0;
  bool plusSign = false;
};

// What a column shows. Most columns are an item's latest reading; some items are tracked but not
// written; the rest are texts the decoder gives per record (positions, clock times), which are not
// items and have no extremes.
enum class Shown : std::uint8_t {
  kReading,     // item: the latest reading as a number
  kNothing,     // item: tracked for summaries, no CSV column
  kClockWords,  // item: the latest hours, minutes and seconds words as "hhhh:mm:ss"
  kLatitude,    // text: "N 35:30.0000"
  kLongitude,   // text: "E139:45.1234"
  kTimeOfDay,   // text: "hh:mm:ss"
};

constexpr bool isItem(Shown shown) {
  return shown == Shown::kReading || shown == Shown::kNothing || shown == Shown::kClockWords;
}

// How an item's smallest and largest reading read together in a summary.
enum class RangeText : std::uint8_t {
  kSmallestAndLargest,  // "smallest/largest" in the item's format
  kLargestOnly,         // a counter whose smallest says nothing
  kPointAndUnit,        // "smallest/largest" with '.' whatever the locale, then the unit
};

// One column of a decoder, in CSV order. An item column carries everything about the reading:
// name, unit, what it measures, its element, decimal scale and text format.
struct Column {
  const char* name;
  const char* unit = "";
  Quantity quantity = Quantity::kOther;
  Element element = Element::kSigned16;
  std::int8_t scale = 0;
  ValueFormat format{};
  Shown shown = Shown::kReading;
  RangeText range = RangeText::kSmallestAndLargest;
};

// Whether the CSV gives the column a field: an item tracked only for summaries has none.
constexpr bool isWritten(const Column& column) { return column.shown != Shown::kNothing; }

// The two text columns of every decoder that knows a position.
inline constexpr Column kLatitudeColumn{.name = "LATITUDE", .shown = Shown::kLatitude};
inline constexpr Column kLongitudeColumn{.name = "LONGITUDE", .shown = Shown::kLongitude};

// Hours, minutes and seconds as a sensor sent them (a minutes word of 75 stays 75).
struct ClockWords {
  std::uint16_t hours = 0;
  std::uint16_t minutes = 0;
  std::uint16_t seconds = 0;

  std::uint32_t totalSeconds() const { return hours * 3600u + minutes * 60u + seconds; }
  bool operator==(const ClockWords&) const = default;
};

// The value behind a column that is not a plain reading: a coordinate in 1/10000 minute of arc
// or seconds of the day in `number`, or clock words. Absent shows as "---". The number comes first,
// so that the value takes sixteen bytes, not twenty-four, in every record of a CSV batch.
struct ColumnValue {
  std::int64_t number = 0;
  ClockWords clock{};
  bool present = false;

  bool operator==(const ColumnValue&) const = default;
};

// The degree-Celsius sign in the maker's code page (Shift-JIS), the unit of most temperatures.
inline constexpr const char* kCelsiusSign = "\x81\x8E";

}  // namespace trelvox
