#pragma once

// What the health check reports: its verdict and its events. An event is one record holding all
// that the JSON, the summary text and the report page write of it; each writes the parts it has.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "decoders/decoder.h"
#include "outputs/health/limits_file.h"
#include "values/record_clock.h"

namespace trelvox {

enum class HealthVerdict : std::uint8_t { kNone, kGreen, kAmber, kRed };
enum class Severity : std::uint8_t { kAmber, kRed };
enum class Direction : std::uint8_t { kBelow, kAbove };

constexpr std::string_view verdictName(HealthVerdict verdict) {
  constexpr std::string_view kNames[] = {"none", "green", "amber", "red"};
  return kNames[static_cast<std::size_t>(verdict)];
}
constexpr std::string_view severityName(Severity severity) {
  return severity == Severity::kRed ? "red" : "amber";
}
constexpr std::string_view directionName(Direction direction) {
  return direction == Direction::kBelow ? "below" : "above";
}

// The check of an event that an item's reading went past a limit; the checks of the whole log
// have names of their own (see log_checks.h).
inline constexpr std::string_view kLimitCheckName = "limit";

// The limit an item's readings went past: its direction, its thresholds (per cell) and cells.
struct LimitCrossing {
  Direction direction = Direction::kBelow;
  Thresholds thresholds{};
  int cells = 1;
};

// What a number an event counts is counted in.
enum class CountUnit : std::uint8_t { kTimeUnits, kBytes };

// As the page's data and texts name it.
constexpr std::string_view countUnitName(CountUnit unit) {
  return unit == CountUnit::kBytes ? "bytes" : kTimeUnitName;
}

struct EventCount {
  std::uint64_t number = 0;
  CountUnit unit = CountUnit::kTimeUnits;
};

// One stretch of the log in which something was wrong, from the record where it began to the one
// where it ended (which may lie before it on the TIME column's clock, as a step back does).
struct HealthEvent {
  // What found it: kLimitCheckName or a check of the whole log.
  std::string_view check{};
  Severity severity = Severity::kAmber;
  RecordMoment start;
  RecordMoment end;
  // The sensor it is about, if any.
  const DecoderType* sensor = nullptr;
  int slot = 0;
  // The item it is about, if any, and its worst reading: the lowest (below) or highest (above),
  // not divided by cells; the last for a height the log ends at.
  const Column* item = nullptr;
  Reading worstReading{};
  // A limit's event: the limit crossed.
  std::optional<LimitCrossing> limit{};
  // What the event counts, if anything: a gap's step, the bytes after the last whole record.
  std::optional<EventCount> count{};
  // Among events that begin at the same record, the lower comes first.
  int order = 0;
};

struct HealthReport {
  HealthVerdict verdict = HealthVerdict::kNone;
  // The limits file used, as shown to users; none without one.
  std::optional<std::string> limitsFile;
  // The checks of the whole log that had nothing to look at, by name, in the order of the checks.
  std::vector<std::string_view> notChecked;
  // In the order they began.
  std::vector<HealthEvent> events;
};

}  // namespace trelvox
