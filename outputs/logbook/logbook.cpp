#include "outputs/logbook/logbook.h"

#include <algorithm>

#include "outputs/text/date_text.h"
#include "outputs/text/decimal_text.h"

namespace trelvox {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::string_view dateSourceText(DateSource source) {
  return source == DateSource::kOption ? "option" : "file time";
}

}  // namespace

// The first record as a UTC time: its time of day on the log's date, the day before where the
// first GPS time came after midnight but the log began before it.
std::string startIsoText(const FlightSummary& summary, std::chrono::year_month_day date) {
  if (!summary.utcSecondsOfDayAtStart || !summary.firstUtcSecondsOfDay) return {};
  std::chrono::sys_days day{date};
  if (*summary.utcSecondsOfDayAtStart > *summary.firstUtcSecondsOfDay) day -= std::chrono::days(1);
  return utcTimeText(day + std::chrono::seconds(*summary.utcSecondsOfDayAtStart));
}

std::string logbookHeader(Separators separators) {
  std::string header = "data_file,date,start_time_utc,duration,records";
  for (std::size_t k = 0; k < kFactKinds; ++k) {
    header += ",";
    header += factKey(static_cast<FactKind>(k));
  }
  header += ",start_iso,duration_s,date_source,health,events,model,flights,air_time_s";
  std::replace(header.begin(), header.end(), ',', separators.list);
  return header += kLineEnd;
}

std::string logbookRow(const FlightSummary& summary, const HealthReport& health,
                       std::string_view dataFile, std::chrono::year_month_day date,
                       DateSource dateSource, Separators separators, std::string_view model) {
  const char list = separators.list;
  const char decimal = separators.decimal;
  const std::uint64_t duration = summary.clock.duration;
  // Appended piece by piece: GCC 12 warns wrongly about chains of std::string +.
  std::string row = csvField(dataFile, list);
  row.append(1, list).append(dateText(date)).append(1, list);
  if (summary.utcSecondsOfDayAtStart) row.append(timeOfDayText(*summary.utcSecondsOfDayAtStart));
  row.append(1, list).append(durationText(duration, decimal));
  row.append(1, list).append(std::to_string(summary.totals.records));
  for (const std::optional<FlightFact>& fact : summary.facts) {
    row.append(1, list);
    if (fact) row.append(decimalText(fact->value, decimal));
  }
  row.append(1, list).append(startIsoText(summary, date));
  row.append(1, list).append(
      decimalText(static_cast<double>(duration) / kTimeUnitsPerSecond, decimal));
  row.append(1, list).append(dateSourceText(dateSource));
  row.append(1, list).append(verdictName(health.verdict));
  row.append(1, list).append(std::to_string(health.events.size()));
  row.append(1, list).append(csvField(model, list)).append(1, list);
  if (summary.flights) {
    row.append(std::to_string(summary.flights->count())).append(1, list);
    row.append(decimalText(static_cast<double>(summary.flights->airTimeMs()) / kTimeUnitsPerSecond,
                           decimal));
  } else {
    row.append(1, list);
  }
  return row.append(kLineEnd);
}

std::string csvField(std::string_view text, char listSeparator) {
  std::string field;
  if (!text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos) {
    field = "'";
  }
  field += text;
  const char needsQuotes[] = {listSeparator, '"', '\r', '\n', '\0'};
  if (field.find_first_of(needsQuotes) == std::string::npos) return field;
  std::string quoted = "\"";
  for (const char c : field) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted += '"';
}

}  // namespace trelvox
