#pragma once

// The flight report: one self-contained HTML page per log. While the log is read, the page's
// charts and track are gathered (ReportSamples); at the end the page is written in one go
// (writeReportPage), its summary table, flight facts and times taken from the flight summary.

#include <memory>

#include "outputs/log_output.h"
#include "outputs/report/report_page.h"
#include "outputs/text/byte_sink.h"

namespace trelvox {

class FlightSummaryOutput;
class HealthCheck;
class TrackSource;

class HtmlReportOutput final : public LogOutput {
 public:
  // The page's facts come from the flight summary, its track from the track source and its verdict
  // from the health check of the same conversion, which come before this output in the list of
  // outputs, so that the page shows what --summary, --json and the track files do.
  HtmlReportOutput(ByteSink& sink, ReportOptions options, const FlightSummaryOutput& flight,
                   const TrackSource& track, const HealthCheck& health);
  ~HtmlReportOutput() override;

  void start(Decoders decoders) override;
  void record(const DataRecord& record) override;
  void end(const LogTotals& totals) override;

 private:
  ByteSink& sink_;
  ReportOptions options_;
  const FlightSummaryOutput& flight_;
  const TrackSource& track_;
  const HealthCheck& health_;
  std::unique_ptr<ReportSamples> samples_;
};

}  // namespace trelvox
