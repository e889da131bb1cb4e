#include "conversion/output_set.h"

#include <stdexcept>
#include <string>

#include "outputs/health/health_check.h"
#include "outputs/summary/flight_summary.h"
#include "outputs/track/track_source.h"

namespace trelvox {

OutputSet::OutputSet(const ConversionRequest& request, LogFacts facts)
    : request_(request), facts_(std::move(facts)) {
  if (request_.summary) {
    summary();
    health();
  }
}

OutputSet::~OutputSet() = default;

FlightSummaryOutput& OutputSet::summary() {
  if (summary_ == nullptr) {
    summary_ = &static_cast<FlightSummaryOutput&>(
        append(std::make_unique<FlightSummaryOutput>(facts_.limits)));
  }
  return *summary_;
}

// The health check watches the track's sensor, so the track goes first.
HealthCheck& OutputSet::health() {
  if (health_ == nullptr) {
    TrackSource& track = this->track();
    health_ = &static_cast<HealthCheck&>(
        append(std::make_unique<HealthCheck>(facts_.limits, facts_.limitsFile, track)));
  }
  return *health_;
}

TrackSource& OutputSet::track() {
  if (track_ == nullptr) {
    track_ = &static_cast<TrackSource&>(append(std::make_unique<TrackSource>(facts_.date)));
  }
  return *track_;
}

void OutputSet::add(OutputFormat format, ByteSink& file, std::span<ByteSpill* const> scratch) {
  const OutputRow& row = outputRow(format);
  if (scratch.size() != row.scratchFiles) {
    throw std::logic_error(std::string(row.name) + " keeps " + std::to_string(row.scratchFiles) +
                           " spills, not " + std::to_string(scratch.size()));
  }
  byFormat_[indexOf(format)] = &append(row.make(OutputParts(*this, row, file, scratch)));
}

const LogOutput* OutputSet::outputOf(OutputFormat format) const {
  return byFormat_[indexOf(format)];
}

LogOutput& OutputSet::append(std::unique_ptr<LogOutput> output) {
  LogOutput& appended = *output;
  outputs_.push_back(std::move(output));
  loopOrder_.push_back(&appended);
  return appended;
}

FlightSummaryOutput& OutputParts::summary() const {
  refuseUnlessRead(row_.reads.summary, "summary");
  return set_.summary();
}

TrackSource& OutputParts::track() const {
  refuseUnlessRead(row_.reads.track, "track");
  return set_.track();
}

HealthCheck& OutputParts::health() const {
  refuseUnlessRead(row_.reads.health, "health check");
  return set_.health();
}

void OutputParts::refuseUnlessRead(bool read, const char* source) const {
  if (!read) {
    throw std::logic_error(std::string(row_.name) + " reads the " + source +
                           ", which its row does not say");
  }
}

}  // namespace trelvox
