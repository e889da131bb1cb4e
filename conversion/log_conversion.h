#pragma once

#include <cstdint>

#include "conversion/byte_source.h"
#include "conversion/log_format.h"
#include "sensors/row_writer.h"
#include "sensors/separators.h"
#include "sensors/value_text.h"

namespace trelvox {

// Reads the information file's slot map. A short file is accepted: the slot-map bytes it does not
// hold read as zero.
SlotMap readSlotMap(ByteSource& infoFile);

// Writes the CSV text of a log: three header rows, then one row per complete data record (time
// relative to the first record, the 16 channels, every decoder's columns). A trailing partial
// record is not converted. Returns the number of rows written below the headers. Everything
// written is handed to `output` before returning; failures of either side throw
// TelemetryLogException.
std::uint64_t writeCsv(const SlotMap& map, ByteSource& dataFile, OutputSink& output,
                       Separators separators);

// The text of a channel word as a position in percent with one decimal ("-152.4" .. "152.4" for
// the usual range).
void writeChannelText(std::int16_t word, char decimalSeparator, ValueText& text);

}  // namespace trelvox
