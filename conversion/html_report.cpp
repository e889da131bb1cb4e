#include "conversion/html_report.h"

#include "conversion/record_loop.h"

namespace trelvox {

LogTotals writeHtmlReport(const SlotMap& map, ByteSource& dataFile, ByteSink& sink,
                          ReportOptions options) {
  HtmlReportOutput report(sink, std::move(options));
  LogOutput* const outputs[] = {&report};
  return runRecordLoop(map, dataFile, outputs);
}

}  // namespace trelvox
