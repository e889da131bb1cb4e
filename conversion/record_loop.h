#pragma once

#include <span>

#include "conversion/byte_source.h"
#include "conversion/log_format.h"
#include "outputs/log_output.h"
#include "outputs/text/byte_sink.h"
#include "outputs/text/separators.h"

namespace trelvox {

// Reads the information file's slot map. A short file is accepted: the slot-map bytes it does not
// hold read as zero.
SlotMap readSlotMap(ByteSource& infoFile);

// The record loop: makes the decoders the slot map names, then reads the data file record by
// record; each record goes to every decoder and then to every output, in order. A trailing partial
// record is not converted. Read failures throw TelemetryLogException after every output has ended
// with what was read; failures of an output go on as they are.
LogTotals runRecordLoop(const SlotMap& map, ByteSource& dataFile,
                        std::span<LogOutput* const> outputs);

// The CSV text of a log handed to `sink`: the record loop with the CSV as its one output. Returns
// the number of rows written below the headers.
std::uint64_t writeCsv(const SlotMap& map, ByteSource& dataFile, ByteSink& sink,
                       Separators separators);

}  // namespace trelvox
