#pragma once

// The flights within a log. A log runs from power-on to power-off and may hold several flights or
// none (a bench test). A record is airborne when its height reading (the first item, in column
// order, measuring a height in m) is at least the rule's height, or its speed reading (the first
// speed in km/h) at least its speed; readings compare as exact decimals. A run of consecutive
// airborne records is a span; spans at most `join` seconds of record time apart are joined, and a
// span of at least `shortest` seconds is a flight. Record time counts the clock's forward steps
// only, as the duration does.

#include <cstdint>
#include <optional>
#include <vector>

#include "outputs/health/limits_file.h"
#include "outputs/log_output.h"

namespace trelvox {

// One flight, in ms of record time since the first record.
struct FlightSpan {
  std::uint64_t startMs;
  std::uint64_t endMs;

  std::uint64_t lengthMs() const { return endMs - startMs; }
};

struct Flights {
  std::vector<FlightSpan> spans;

  std::size_t count() const { return spans.size(); }
  std::uint64_t airTimeMs() const;
};

// Follows the records for airborne spans. Complete once the log has ended; nothing for a log
// that has neither a height nor a speed item.
class FlightsOutput final : public LogOutput {
 public:
  explicit FlightsOutput(const FlightRule& rule);

  void start(Decoders decoders) override;
  void record(const DataRecord& record) override;
  void end(const LogTotals& totals) override;

  const std::optional<Flights>& flights() const { return flights_; }

 private:
  // A watched item and the integer its readings must reach to count as airborne.
  struct Source {
    const Decoder* decoder = nullptr;
    int item = 0;
    std::int64_t airborneFrom = 0;
  };

  bool isAirborne() const;
  void closeSpan();

  FlightRule rule_;
  std::int64_t joinMs_;
  std::int64_t shortestMs_;
  std::optional<Source> height_;
  std::optional<Source> speed_;
  std::optional<std::uint32_t> previousTime_;
  std::uint64_t recordTime_ = 0;
  bool previousAirborne_ = false;
  std::optional<FlightSpan> open_;
  std::optional<Flights> flights_;
};

}  // namespace trelvox
