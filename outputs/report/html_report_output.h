#pragma once

// The flight report: one self-contained HTML page per log. While the log is read, the page's
// charts and track are gathered (ReportSamples); at the end the page is written in one go
// (writeReportPage), its summary table, flight facts and times taken from the flight summary.

#include <memory>
#include <vector>

#include "outputs/log_output.h"
#include "outputs/report/report_page.h"
#include "outputs/text/byte_sink.h"

namespace trelvox {

class FlightSummaryOutput;
class HealthCheck;
class TrackSource;

class HtmlReportOutput final : public LogOutput {
 public:
  // The page's facts come from the flight summary and its track from the track source of the
  // same conversion, which come before this output in the list of outputs (so that the page
  // shows what --summary, --json and the track files do); the report runs one of its own for each
  // that is not given. So does the health check, after the track (its own with the built-in
  // limits only).
  HtmlReportOutput(ByteSink& sink, ReportOptions options,
                   const FlightSummaryOutput* flight = nullptr, const TrackSource* track = nullptr,
                   const HealthCheck* health = nullptr);
  ~HtmlReportOutput() override;

  void start(Decoders decoders) override;
  void record(const DataRecord& record) override;
  void end(const LogTotals& totals) override;

 private:
  ByteSink& sink_;
  ReportOptions options_;
  std::unique_ptr<FlightSummaryOutput> ownFlight_;
  std::unique_ptr<TrackSource> ownTrack_;
  const FlightSummaryOutput& flight_;
  const TrackSource& track_;
  std::unique_ptr<HealthCheck> ownHealth_;
  const HealthCheck& health_;
  std::vector<LogOutput*> ownSources_;  // those this output runs itself, in the order above
  std::unique_ptr<ReportSamples> samples_;
};

}  // namespace trelvox
