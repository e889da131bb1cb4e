#pragma once

#include <span>

#include "conversion/byte_source.h"
#include "conversion/log_format.h"
#include "outputs/log_output.h"

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

}  // namespace trelvox
