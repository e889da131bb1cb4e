#pragma once

#include "conversion/byte_source.h"
#include "conversion/log_format.h"
#include "outputs/byte_sink.h"
#include "outputs/log_output.h"
#include "outputs/report/html_report_output.h"

namespace trelvox {

// The flight report of a log handed to `sink`: the record loop with the report as its one output.
// A conversion that writes the CSV too hands both outputs to one runRecordLoop instead.
LogTotals writeHtmlReport(const SlotMap& map, ByteSource& dataFile, ByteSink& sink,
                          ReportOptions options);

}  // namespace trelvox
