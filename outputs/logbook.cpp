#include "outputs/logbook.h"

#include <array>
#include <charconv>

#include "outputs/date_text.h"
#include "outputs/summary_text.h"

namespace trelvox {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// The shortest text that reads back as the same number, with '.' whatever the locale and without
// an exponent (100000, not 1e+05).
std::string numberText(double value) {
  std::array<char, 32> room;
  const auto result =
      std::to_chars(room.data(), room.data() + room.size(), value, std::chars_format::fixed);
  return {room.data(), result.ptr};
}

}  // namespace

std::string logbookHeader() {
  std::string header = "data_file,date,start_time_utc,duration,records";
  for (std::size_t k = 0; k < kFactKinds; ++k) {
    header += ",";
    header += factKey(static_cast<FactKind>(k));
  }
  return header.append(",health,events").append(kLineEnd);
}

std::string logbookRow(const FlightSummary& summary, const HealthReport& health,
                       std::string_view dataFile, std::chrono::year_month_day date) {
  // Appended piece by piece: GCC 12 warns wrongly about chains of std::string +.
  std::string row = csvField(dataFile);
  row.append(",").append(dateText(date)).append(",");
  if (summary.firstUtcSecondsOfDay) row.append(timeOfDayText(*summary.firstUtcSecondsOfDay));
  row.append(",").append(durationText(summary.clock.duration));
  row.append(",").append(std::to_string(summary.totals.records));
  for (const std::optional<FlightFact>& fact : summary.facts) {
    row.append(",");
    if (fact) row.append(numberText(fact->value));
  }
  row.append(",").append(verdictName(health.verdict));
  row.append(",").append(std::to_string(health.events.size()));
  return row.append(kLineEnd);
}

std::string csvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted += '"';
}

}  // namespace trelvox
