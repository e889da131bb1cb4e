#include "outputs/report/html_report_output.h"

#include "outputs/health/health_check.h"
#include "outputs/report/report_samples.h"
#include "outputs/summary/flight_summary.h"
#include "outputs/track/track_source.h"

namespace trelvox {

HtmlReportOutput::HtmlReportOutput(ByteSink& sink, ReportOptions options,
                                   const FlightSummaryOutput& flight, const TrackSource& track,
                                   const HealthCheck& health)
    : sink_(sink),
      options_(std::move(options)),
      flight_(flight),
      track_(track),
      health_(health),
      samples_(std::make_unique<ReportSamples>()) {}

HtmlReportOutput::~HtmlReportOutput() = default;

void HtmlReportOutput::start(Decoders decoders) {
  samples_->start(decoders, options_.expectedRecords);
}

// The flight summary's clock gives each record's time since the first, never going back, as the
// page's duration is the one --json gives.
void HtmlReportOutput::record(const DataRecord& record) {
  samples_->record(record, static_cast<std::int64_t>(flight_.summary().clock.duration), track_);
}

void HtmlReportOutput::end(const LogTotals&) {
  writeReportPage(sink_, options_, *samples_, flight_.summary(), health_.report());
}

}  // namespace trelvox
