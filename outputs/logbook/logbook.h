#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

#include "outputs/health/health_check.h"
#include "outputs/summary/flight_summary.h"
#include "outputs/text/separators.h"

namespace trelvox {

// Where the date of a log's UTC times comes from: the user, or the data file's modification time.
enum class DateSource : std::uint8_t { kOption, kFileTime };

// The logbook of `--logbook`: a CSV file a spreadsheet reads as it is (the CSV's separators, one
// header row, rows ending in CR LF, fields quoted as RFC 4180 does where needed, no text a
// spreadsheet would run as a formula). One row per log: data file, date, UTC time of day of the
// first record, duration, records and the flight facts, empty where the log has none; then the
// start as an ISO 8601 UTC time, the duration in seconds and where the date came from; last the
// health check's verdict and number of events; at the end the model and its flights and air time
// (empty for a log with neither a height nor a speed).
std::string logbookHeader(Separators separators = {});
std::string logbookRow(const FlightSummary& summary, const HealthReport& health,
                       std::string_view dataFile, std::chrono::year_month_day date,
                       DateSource dateSource = DateSource::kFileTime, Separators separators = {},
                       std::string_view model = {});

// The first record as an ISO 8601 UTC time on the log's date; empty without a GPS time.
std::string startIsoText(const FlightSummary& summary, std::chrono::year_month_day date);

// A text field as RFC 4180 writes it: quoted, with quotes doubled, when it holds the list
// separator, a quote or a line break. A text a spreadsheet would take for a formula (beginning
// with =, +, -, @, a tab or a carriage return) gets a leading apostrophe, so that it stays text.
std::string csvField(std::string_view text, char listSeparator = ',');

}  // namespace trelvox
