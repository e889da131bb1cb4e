#pragma once

// One log as the logbook page lists it: a few hundred bytes of figures, never records, so that a
// card of hundreds of logs is gathered in little memory.

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "outputs/health/health_check.h"
#include "outputs/logbook/standouts.h"
#include "outputs/summary/flight_summary.h"

namespace trelvox {

// The figures the page draws per model over time, and the way each goes wrong where it is judged.
enum class TrendFigure : std::uint8_t {
  kMinReceiverVoltage,
  kMaxCurrent,
  kCapacityUsed,
  kCapacityPerAirMinute,
  kMaxTemperature,
  kAirTime,
};
inline constexpr std::size_t kTrendFigures = 6;

struct TrendFigureRow {
  std::string_view key;
  std::optional<BadDirection> judged;
};

inline constexpr std::array<TrendFigureRow, kTrendFigures> kTrendFigureTable{{
    {"min_receiver_voltage_v", BadDirection::kLower},
    {"max_current_a", BadDirection::kHigher},
    {"capacity_used_mah", std::nullopt},
    {"capacity_per_air_minute_mah", BadDirection::kHigher},
    {"max_temperature_c", BadDirection::kHigher},
    {"air_time_s", std::nullopt},
}};

struct LogbookEntry {
  // Relative to the page's folder, with '/'.
  std::string path{};
  // The log's own page, where one is beside it or written in the same call.
  std::optional<std::string> pageHref{};
  std::string model{};
  // The first record as an ISO 8601 UTC time; empty without a GPS time.
  std::string startIso{};
  // YYYY-MM-DD; empty for a log without a date.
  std::string date{};
  std::uint64_t records = 0;
  double durationS = 0;
  std::optional<std::size_t> flights{};
  std::optional<double> airTimeS{};
  std::array<std::optional<double>, kFactKinds> facts{};
  HealthVerdict verdict = HealthVerdict::kNone;
  std::size_t events = 0;
  // The first red event, else the first amber one, in the page's words.
  std::string firstEvent{};
  LogRules rules{};

  std::optional<double> figure(TrendFigure figure) const;
};

// The entry of a converted log; the shell adds its path, page, model and first event.
LogbookEntry logbookEntry(const FlightSummary& summary, const HealthReport& health,
                          std::chrono::year_month_day date);

// The event a verdict is told by: the first red one, else the first amber one; none when green.
const HealthEvent* firstTellingEvent(const HealthReport& health);

}  // namespace trelvox
