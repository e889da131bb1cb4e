#include "outputs/summary/flights.h"

#include <numeric>
#include <string_view>

#include "outputs/health/exact_decimal.h"

namespace trelvox {
namespace {

// Milliseconds are the record clock's units: a time in ms is a reading of scale 3 in seconds.
constexpr int kMillisecondsScale = 3;

// The first item, in column order, measuring `quantity` in `unit`.
template <typename Source>
std::optional<Source> firstItem(Decoders decoders, Quantity quantity, std::string_view unit,
                                const Reading& threshold) {
  for (const auto& decoder : decoders) {
    const auto columns = decoder->columns();
    for (std::size_t i = 0; i < columns.size(); ++i) {
      const Column& column = columns[i];
      if (!isItem(column.shown) || column.quantity != quantity || column.unit != unit) continue;
      // Not below the threshold: at least it.
      return Source{decoder.get(), static_cast<int>(i),
                    readingBounds(threshold, 1, column.scale).belowBound};
    }
  }
  return std::nullopt;
}

}  // namespace

std::uint64_t Flights::airTimeMs() const {
  return std::accumulate(
      spans.begin(), spans.end(), std::uint64_t{0},
      [](std::uint64_t sum, const FlightSpan& span) { return sum + span.lengthMs(); });
}

FlightsOutput::FlightsOutput(const FlightRule& rule)
    : rule_(rule),
      joinMs_(readingBounds(rule.join, 1, kMillisecondsScale).aboveBound),
      shortestMs_(readingBounds(rule.shortest, 1, kMillisecondsScale).belowBound) {}

void FlightsOutput::start(Decoders decoders) {
  height_ = firstItem<Source>(decoders, Quantity::kHeight, "m", rule_.height);
  speed_ = firstItem<Source>(decoders, Quantity::kSpeed, "km/h", rule_.speed);
  if (height_ || speed_) flights_.emplace();
}

bool FlightsOutput::isAirborne() const {
  for (const std::optional<Source>& source : {height_, speed_}) {
    if (!source) continue;
    const TrackedReading& reading = source->decoder->tracked(source->item);
    if (reading.hasCurrent() && reading.current >= source->airborneFrom) return true;
  }
  return false;
}

void FlightsOutput::record(const DataRecord& record) {
  const std::uint32_t time = record.time();
  if (previousTime_ && time > *previousTime_) recordTime_ += time - *previousTime_;
  previousTime_ = time;
  if (!flights_) return;
  const bool airborne = isAirborne();
  if (airborne) {
    const bool joins = open_ && (previousAirborne_ ||
                                 static_cast<std::int64_t>(recordTime_ - open_->endMs) <= joinMs_);
    if (!joins) {
      closeSpan();
      open_ = FlightSpan{recordTime_, recordTime_};
    }
    open_->endMs = recordTime_;
  }
  previousAirborne_ = airborne;
}

void FlightsOutput::closeSpan() {
  if (open_ && static_cast<std::int64_t>(open_->lengthMs()) >= shortestMs_) {
    flights_->spans.push_back(*open_);
  }
  open_.reset();
}

void FlightsOutput::end(const LogTotals&) {
  if (flights_) closeSpan();
}

}  // namespace trelvox
