#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "outputs/flight_summary.h"
#include "outputs/health/health_check.h"

namespace trelvox {

// The logbook of `--logbook`: a CSV file a spreadsheet reads as it is (comma-separated, '.'
// decimals, one header row, rows ending in CR LF, fields quoted as RFC 4180 does where needed).
// One row per log: data file, date, first GPS UTC time of day, duration, records, the flight
// facts, empty where the log has none, and the health check's verdict and number of events.
std::string logbookHeader();
std::string logbookRow(const FlightSummary& summary, const HealthReport& health,
                       std::string_view dataFile, std::chrono::year_month_day date);

// A field as RFC 4180 writes it: quoted, with quotes doubled, when it holds a comma, a quote or a
// line break.
std::string csvField(std::string_view text);

}  // namespace trelvox
