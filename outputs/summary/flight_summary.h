#pragma once

// What a log says about its flight as a whole: per sensor the smallest, largest and last reading
// of each item, the record clock's steps, and the flight facts pilots ask for (how high, how far,
// how fast, lowest receiver voltage, highest current, capacity used, highest temperature), each
// with the sensor that gave it. Facts are picked by what an item measures (its quantity and unit),
// never by sensor type; the receiver's battery is the one exception, as only slot 0 has it.
//
// The decoders already track every item's extremes, so per record this output only follows the
// clock and waits for the first UTC time; the rest is read once the log has ended.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "outputs/health/log_rules.h"
#include "outputs/log_output.h"
#include "outputs/summary/flights.h"
#include "values/record_clock.h"

namespace trelvox {

struct ItemSummary {
  const Column* column;
  Reading smallest;
  Reading largest;
  Reading last;
};

struct SensorSummary {
  const DecoderType* type;
  int firstSlot;
  std::vector<ItemSummary> items;
};

enum class FactKind : std::uint8_t {
  kMaxHeight,
  kMaxDistance,
  kMaxGroundSpeed,
  kMinReceiverVoltage,
  kMaxCurrent,
  kCapacityUsed,
  kMaxTemperature,
};
inline constexpr std::size_t kFactKinds = 7;

// The machine-readable name of a fact, with its unit, as the JSON file and the logbook key it.
constexpr std::string_view factKey(FactKind kind) {
  constexpr std::string_view kKeys[kFactKinds] = {
      "max_height_m",  "max_distance_m",    "max_ground_speed_kmh", "min_receiver_voltage_v",
      "max_current_a", "capacity_used_mah", "max_temperature_c"};
  return kKeys[static_cast<std::size_t>(kind)];
}

// One flight fact: the reading it comes from (in its item's unit and format), the value in the
// fact's own unit (m, km/h, V, A, mAh, degrees Celsius) and the sensor that gave it.
struct FlightFact {
  Reading reading;
  double value;
  const Column* column;
  const DecoderType* sensor;
  int firstSlot;
};

// The record clock in its own units (see kTimeUnitsPerSecond).
struct ClockFacts {
  std::optional<std::uint32_t> first;
  // The time the clock ran forward (RecordMoment::elapsed), so a clock that jumps back does not
  // shorten the flight.
  std::uint64_t duration = 0;
  std::uint64_t stepsOverOneSecond = 0;
  std::uint32_t longestStep = 0;
  std::uint64_t backwards = 0;
};

struct FlightSummary {
  LogTotals totals;
  ClockFacts clock;
  // The first UTC time of day a sensor gave, in seconds.
  std::optional<std::uint32_t> firstUtcSecondsOfDay;
  // The UTC time of day at the first record: the first one a sensor gave, less the whole seconds
  // the clock had run by then.
  std::optional<std::uint32_t> utcSecondsOfDayAtStart;
  std::vector<SensorSummary> sensors;
  std::array<std::optional<FlightFact>, kFactKinds> facts;
  // None without a height or a speed to tell the flights by.
  std::optional<Flights> flights;
  // The values the log's flights and checks were judged by.
  LogRules rules;

  const std::optional<FlightFact>& fact(FactKind kind) const {
    return facts[static_cast<std::size_t>(kind)];
  }
};

class FlightSummaryOutput final : public LogOutput {
 public:
  explicit FlightSummaryOutput(const HealthLimits& limits = {}) : flights_(limits.flights) {
    summary_.rules = logRulesOf(limits);
  }

  void start(Decoders decoders) override;
  void record(const DataRecord& record) override;
  void end(const LogTotals& totals) override;

  // Complete once the log has ended; the clock and the UTC times are up to date after each
  // record, for outputs that come after this one.
  const FlightSummary& summary() const { return summary_; }

 private:
  void followClock(std::uint32_t time);
  void noteUtcStart();

  Decoders decoders_;
  // The sensors that give the UTC time of day, in column order.
  std::vector<const Decoder*> clockSensors_;
  RecordClock clock_;
  FlightsOutput flights_;
  FlightSummary summary_;
};

}  // namespace trelvox
