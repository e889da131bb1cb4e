#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "outputs/text/reading_text.h"
#include "values/record_clock.h"

namespace trelvox {

// "2024-05-01"; a year before year 0 (which a track that keeps stepping back over midnight can
// reach) with a sign, "-0001-12-31", as ISO 8601 writes it.
inline std::string dateText(std::chrono::year_month_day date) {
  ValueText text;
  const int year = static_cast<int>(date.year());
  if (year < 0) text.append('-');
  text.appendNumber(static_cast<std::uint64_t>(year < 0 ? -year : year), 4);
  text.append('-');
  text.appendNumber(static_cast<unsigned>(date.month()), 2);
  text.append('-');
  text.appendNumber(static_cast<unsigned>(date.day()), 2);
  return std::string(text.view());
}

// The record clock to the tenth, "h:mm:ss.s", or "m:ss.s" under an hour unless `hours` is
// kAlways.
enum class ClockHours : bool { kFromAnHour, kAlways };
inline std::string tenthsClockText(std::uint64_t timeUnits, char decimalSeparator,
                                   ClockHours hours) {
  constexpr std::uint64_t kUnitsPerTenth = kTimeUnitsPerSecond / 10;
  const std::uint64_t tenths = (timeUnits + kUnitsPerTenth / 2) / kUnitsPerTenth;
  ValueText text;
  if (hours == ClockHours::kAlways || tenths >= 36000) {
    text.appendNumber(tenths / 36000);
    text.append(':');
    text.appendNumber(tenths / 600 % 60, 2);
  } else {
    text.appendNumber(tenths / 600);
  }
  text.append(':');
  text.appendNumber(tenths / 10 % 60, 2);
  text.append(decimalSeparator);
  text.appendNumber(tenths % 10);
  return std::string(text.view());
}

// A span of the record clock as "h:mm:ss.s", with the decimal separator of the numbers beside it
// (a spreadsheet in German reads "0:03:59,9" as a time, "0:03:59.9" as text).
inline std::string durationText(std::uint64_t timeUnits, char decimalSeparator = '.') {
  return tenthsClockText(timeUnits, decimalSeparator, ClockHours::kAlways);
}

// A moment or span of the record clock as the health texts write it: "m:ss.s" under an hour,
// "h:mm:ss.s" from an hour. The pages' script writes the same (page_base.js).
inline std::string clockText(std::uint64_t timeUnits, char decimalSeparator = '.') {
  return tenthsClockText(timeUnits, decimalSeparator, ClockHours::kFromAnHour);
}

// "14:05:05"
inline std::string timeOfDayText(std::uint32_t seconds) {
  ValueText text;
  writeTimeOfDayText(seconds, text);
  return std::string(text.view());
}

// "2024-05-01T14:05:05Z"
inline std::string utcTimeText(std::chrono::sys_seconds time) {
  const auto day = std::chrono::floor<std::chrono::days>(time);
  return dateText(std::chrono::year_month_day(day)) + "T" +
         timeOfDayText(static_cast<std::uint32_t>((time - day).count())) + "Z";
}

}  // namespace trelvox
