#pragma once

// The flat CSV that analysis tools read as a table: one header row of unique names with units
// ("GPS ALTITUDE [m]"), numbers without padding, an empty cell where there is no reading, positions
// in signed decimal degrees and no separator after the last field; UTF-8 behind a byte-order mark.
// CsvOutput writes its rows; what differs from the three-row layout lives here.

#include <string>
#include <string_view>
#include <vector>

#include "decoders/decoder.h"
#include "values/column.h"
#include "values/data_record.h"

namespace trelvox {

// Spreadsheets read a CSV as UTF-8 only when it starts with these bytes.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The name of every column of the flat layout, TIME and the channels first, in CSV order.
std::vector<std::string> flatColumnNames(Decoders decoders);

// The flat text of a column that is not a plain reading (at most 31 characters; returns the end):
// nothing while absent, a coordinate in signed decimal degrees with `decimalSeparator`, clock
// texts as the three-row CSV writes them.
char* writeFlatColumnValue(char* out, Shown shown, const ColumnValue& value, char decimalSeparator);

}  // namespace trelvox
