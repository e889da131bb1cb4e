#pragma once

#include <array>
#include <string>
#include <string_view>

#include "outputs/health/health_check.h"
#include "outputs/summary/flight_summary.h"

namespace trelvox {

// The words of the summary in the reader's language; the shell chooses them.
struct SummaryLabels {
  std::string_view slot;
  std::string_view smallest;
  std::string_view largest;
  std::string_view last;
  std::string_view flight;
  std::string_view records;
  std::string_view duration;
  std::string_view stepsOverOneSecond;
  std::string_view longestStep;
  std::string_view backwards;
  std::string_view trailingBytes;
  // One per FactKind, in its order.
  std::array<std::string_view, kFactKinds> facts;
  // "Flights: 2, air time 0:03:12"
  std::string_view flights{};
  std::string_view airTime{};
};

// The readable summary of `--summary`: per sensor each item's smallest, largest and last reading
// with its unit ("---" where there is none), then the flight, each fact naming its sensor, and the
// flights within the log with their air time where a height or a speed tells them.
std::string summaryText(const FlightSummary& summary, const SummaryLabels& labels,
                        char decimalSeparator);

// A span of the record clock as "h:mm:ss.s", with the decimal separator of the numbers beside it
// (a spreadsheet in German reads "0:03:59,9" as a time, "0:03:59.9" as text).
std::string durationText(std::uint64_t timeUnits, char decimalSeparator = '.');

// The words of the summary's Health block in the reader's language.
struct HealthLabels {
  std::string_view health;
  std::string_view verdict;
  std::string_view events;
  std::string_view limitsFile;
  std::string_view noLimitsFile;
  std::string_view notChecked;
  // One per HealthVerdict, in its order; amber and red name severities too.
  std::array<std::string_view, 4> verdicts;
  // One per LogCheck, in its order.
  std::array<std::string_view, kLogChecks> checks;
  std::array<std::string_view, 2> directions;  // below, above
  std::array<std::string_view, 2> worst;       // lowest, highest
  std::string_view cells;
  std::string_view bytes;
  // "… and {count} more"
  std::string_view andMore;
};

// The most events the Health block lists one by one.
inline constexpr std::size_t kHealthEventLines = 20;

// The Health block that follows the flight facts of `--summary`: the verdict, the number of events,
// the limits file, the checks that had nothing to look at, then the events in the order they
// began, such as "0:01:40.0–0:01:40.5  red  RECEIVER BATTERY below 4.4 V (amber 4.8 V): lowest
// 4.2 V", up to kHealthEventLines of them.
std::string healthText(const HealthReport& health, const HealthLabels& labels,
                       char decimalSeparator);

// One event as its line in the Health block shows it (without indent or line end).
std::string healthEventText(const HealthEvent& event, const HealthLabels& labels,
                            char decimalSeparator);

// A limit as the pilot wrote it: every decimal it has, none more.
std::string limitValueText(const Reading& limit, char decimalSeparator);

// A span of the record clock as "h:mm:ss.s".
std::string durationText(std::uint64_t timeUnits);

}  // namespace trelvox
