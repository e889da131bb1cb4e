#include "outputs/logbook/logbook_entry.h"

#include <algorithm>

#include "outputs/logbook/logbook.h"
#include "outputs/text/date_text.h"

namespace trelvox {
namespace {

constexpr double kSecondsPerMinute = 60;

std::optional<double> factValue(const LogbookEntry& entry, FactKind kind) {
  return entry.facts[static_cast<std::size_t>(kind)];
}

}  // namespace

std::optional<double> LogbookEntry::figure(TrendFigure figure) const {
  switch (figure) {
    case TrendFigure::kMinReceiverVoltage:
      return factValue(*this, FactKind::kMinReceiverVoltage);
    case TrendFigure::kMaxCurrent:
      return factValue(*this, FactKind::kMaxCurrent);
    case TrendFigure::kCapacityUsed:
      return factValue(*this, FactKind::kCapacityUsed);
    case TrendFigure::kCapacityPerAirMinute: {
      const std::optional<double> used = factValue(*this, FactKind::kCapacityUsed);
      if (!used || !airTimeS || *airTimeS <= 0) return std::nullopt;
      return *used / (*airTimeS / kSecondsPerMinute);
    }
    case TrendFigure::kMaxTemperature:
      return factValue(*this, FactKind::kMaxTemperature);
    case TrendFigure::kAirTime:
      return airTimeS;
  }
  return std::nullopt;
}

LogbookEntry logbookEntry(const FlightSummary& summary, const HealthReport& health,
                          std::chrono::year_month_day date) {
  LogbookEntry entry;
  entry.startIso = startIsoText(summary, date);
  entry.date = entry.startIso.empty() ? dateText(date) : entry.startIso.substr(0, 10);
  entry.records = summary.totals.records;
  entry.durationS = static_cast<double>(summary.clock.duration) / kTimeUnitsPerSecond;
  if (summary.flights) {
    entry.flights = summary.flights->count();
    entry.airTimeS = static_cast<double>(summary.flights->airTimeMs()) / kTimeUnitsPerSecond;
  }
  for (std::size_t k = 0; k < kFactKinds; ++k) {
    if (summary.facts[k]) entry.facts[k] = summary.facts[k]->value;
  }
  entry.verdict = health.verdict;
  entry.events = health.events.size();
  entry.rules = summary.rules;
  return entry;
}

const HealthEvent* firstTellingEvent(const HealthReport& health) {
  const auto red = std::ranges::find(health.events, Severity::kRed, &HealthEvent::severity);
  if (red != health.events.end()) return &*red;
  return health.events.empty() ? nullptr : &health.events.front();
}

}  // namespace trelvox
