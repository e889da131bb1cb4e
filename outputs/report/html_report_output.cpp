#include "outputs/report/html_report_output.h"

#include <chrono>

#include "outputs/health/health_check.h"
#include "outputs/report/report_samples.h"
#include "outputs/summary/flight_summary.h"
#include "outputs/track/track_source.h"

namespace trelvox {
namespace {

template <typename Source, typename... Arguments>
std::unique_ptr<Source> unlessGiven(const Source* given, Arguments... arguments) {
  return given != nullptr ? nullptr : std::make_unique<Source>(arguments...);
}

// The page shows no times of day along the track, so its own track source may take any day.
constexpr std::chrono::year_month_day kAnyDay{std::chrono::sys_days{}};

}  // namespace

HtmlReportOutput::HtmlReportOutput(ByteSink& sink, ReportOptions options,
                                   const FlightSummaryOutput* flight, const TrackSource* track,
                                   const HealthCheck* health)
    : sink_(sink),
      options_(std::move(options)),
      ownFlight_(unlessGiven(flight)),
      ownTrack_(unlessGiven(track, kAnyDay)),
      flight_(flight != nullptr ? *flight : *ownFlight_),
      track_(track != nullptr ? *track : *ownTrack_),
      ownHealth_(health != nullptr
                     ? nullptr
                     : std::make_unique<HealthCheck>(HealthLimits{}, std::nullopt, track_)),
      health_(health != nullptr ? *health : *ownHealth_),
      samples_(std::make_unique<ReportSamples>()) {
  if (ownFlight_) ownSources_.push_back(ownFlight_.get());
  if (ownTrack_) ownSources_.push_back(ownTrack_.get());
  if (ownHealth_) ownSources_.push_back(ownHealth_.get());
}

HtmlReportOutput::~HtmlReportOutput() = default;

void HtmlReportOutput::start(Decoders decoders) {
  for (LogOutput* source : ownSources_) source->start(decoders);
  samples_->start(decoders, options_.expectedRecords);
}

// The flight summary's clock gives each record's time since the first, never going back, as the
// page's duration is the one --json gives.
void HtmlReportOutput::record(const DataRecord& record) {
  for (LogOutput* source : ownSources_) source->record(record);
  samples_->record(record, static_cast<std::int64_t>(flight_.summary().clock.duration), track_);
}

void HtmlReportOutput::end(const LogTotals& totals) {
  for (LogOutput* source : ownSources_) source->end(totals);
  writeReportPage(sink_, options_, *samples_, flight_.summary(), health_.report());
}

}  // namespace trelvox
