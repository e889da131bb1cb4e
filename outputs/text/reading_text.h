#pragma once

#include <cstdint>
#include <string>

#include "decoders/decoder.h"
#include "outputs/text/value_text.h"

namespace trelvox {

// The texts of readings as the CSV and the summaries show them. An absent reading shows "---".

inline constexpr std::string_view kNoValueText = "---";

// A reading in its column's format (see writeNumber).
void writeReadingText(const Reading& reading, ValueFormat format, char decimalSeparator,
                      ValueText& text);

// The same without the padding that lines up the CSV's columns, for texts that stand alone.
std::string unpaddedReadingText(const Reading& reading, ValueFormat format, char decimalSeparator);
// And with the column's unit after it, where there is a reading, `unitSpace` between them.
std::string unpaddedReadingText(const Reading& reading, const Column& column, char decimalSeparator,
                                std::string_view unitSpace = " ");

// An item's smallest and largest reading together, in the way its column's RangeText says.
void writeRangeText(const Decoder& decoder, int item, char decimalSeparator, ValueText& text);

// "N 35:30.0000"-style texts: hemisphere letter, degrees right-aligned in three characters,
// minutes and ten-thousandths of a minute, always with '.'.
void writeLatitudeText(std::int32_t latitude, ValueText& text);
void writeLongitudeText(std::int32_t longitude, ValueText& text);

// "hh:mm:ss" of a time of day in seconds.
void writeTimeOfDayText(std::uint32_t seconds, ValueText& text);

// "hhhh:mm:ss": the hours right-aligned in four characters, every word in full.
void writeClockText(const ClockWords& clock, ValueText& text);

// The text of a column that is not a plain reading (see Shown), into `text` or written at `out`
// (at most 31 characters; returns the end).
void writeColumnValueText(Shown shown, const ColumnValue& value, ValueText& text);
char* writeColumnValue(char* out, Shown shown, const ColumnValue& value);

}  // namespace trelvox
