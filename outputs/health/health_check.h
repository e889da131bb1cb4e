#pragma once

// The flight health check: did anything go wrong, or come close, and when. It watches items
// against the limits of the pilot's limits file (and the receiver battery's built-in limit), and
// the log as a whole for gaps, a clock that went back, a lost GPS fix, a log that ends in the air
// and a data file cut short. Its report is the same for the summary, JSON, logbook and page.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "outputs/health/limits_file.h"
#include "outputs/log_output.h"
#include "outputs/track/track_source.h"

namespace trelvox {

enum class HealthVerdict : std::uint8_t { kNone, kGreen, kAmber, kRed };
enum class Severity : std::uint8_t { kAmber, kRed };
enum class Direction : std::uint8_t { kBelow, kAbove };

// What found an event: a limit on an item, or one of the checks on the whole log.
struct EventCheck {
  bool isLimit;
  LogCheck logCheck;  // when not a limit
};

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
constexpr std::string_view checkName(EventCheck check) {
  return check.isLimit ? "limit" : logCheckName(check.logCheck);
}

// One stretch of the log in which something was wrong. Times are the TIME column's: milliseconds
// since the first record.
struct HealthEvent {
  EventCheck check;
  Severity severity;
  std::uint32_t startMs;
  std::uint32_t endMs;
  // The sensor and item it is about (limits, gps_fix_lost without an item, ends_in_air).
  const DecoderType* sensor = nullptr;
  int slot = 0;
  const Column* item = nullptr;
  // A limit's direction, thresholds (per cell) and cells.
  Direction direction = Direction::kBelow;
  Thresholds thresholds{};
  int cells = 1;
  // The lowest (below) or highest (above) reading, not divided by cells; ends_in_air's height.
  Reading worstReading{};
  // gap: the step in ms; cut_short: the bytes after the last whole record.
  std::uint64_t worstCount = 0;
  // Where the event begins in the log, which orders the events; ties in a fixed order of checks.
  std::uint64_t startRecord = 0;
  int order = 0;
};

struct HealthReport {
  HealthVerdict verdict = HealthVerdict::kNone;
  // The limits file used, as shown to users; none without one.
  std::optional<std::string> limitsFile;
  // Checks that had nothing to look at: no GPS fix to lose, no height to end in the air at.
  std::vector<LogCheck> notChecked;
  // In the order they began.
  std::vector<HealthEvent> events;
};

// The health check as an output of the record loop. Per record it costs one comparison per
// watched item and direction and a look at the clock and the GPS's position-valid bit.
class HealthCheck final : public LogOutput {
 public:
  // `limitsFile` is how the file the limits come from is shown (none for the defaults). `track`
  // comes before this output in the list of outputs: its sensor is the one whose fix is watched.
  HealthCheck(HealthLimits limits, std::optional<std::string> limitsFile, const TrackSource& track);
  // Watches point into the limits it holds.
  HealthCheck(const HealthCheck&) = delete;
  HealthCheck& operator=(const HealthCheck&) = delete;

  void start(Decoders decoders) override;
  void record(const DataRecord& record) override;
  void end(const LogTotals& totals) override;

  // Complete once the log has ended.
  const HealthReport& report() const { return report_; }

 private:
  // One item watched in one direction, with the event it is in.
  struct Watch {
    const Decoder* decoder;
    int item;
    Direction direction;
    const Limit* limit;
    // Readings below (or above) these integers are outside (red).
    std::int64_t amberBound;
    std::int64_t redBound;
    bool hasRed;
    std::optional<HealthEvent> open{};
    std::uint64_t lastOutsideRecord = 0;
    std::uint32_t lastOutsideTime = 0;
  };

  void watchItems(Decoders decoders);
  const Limit* limitFor(const Decoder& decoder, const Column& item, Direction direction) const;
  void followClock(std::uint32_t time);
  void checkWatch(Watch& watch, std::uint32_t time);
  void followFix(std::uint32_t time);
  void closeFixLoss(std::uint32_t untilTime);
  void checkEndsInAir();
  void checkCutShort(const LogTotals& totals);
  void listNotChecked();
  HealthEvent logEvent(LogCheck check, Severity severity, std::uint32_t start, std::uint32_t end,
                       std::uint64_t startRecord) const;
  void addEvent(HealthEvent event);
  std::uint32_t shownTime(std::uint32_t time) const { return time - firstTime_; }

  HealthLimits limits_;
  Limit builtIn_;
  // Bounds on record-clock steps, in ms.
  std::int64_t gapAmberMs_;
  std::int64_t gapRedMs_;
  std::int64_t mergeMs_;
  std::int64_t fixLostMs_;
  Decoders decoders_;
  std::vector<Watch> watches_;
  const TrackSource& track_;
  std::uint64_t records_ = 0;
  std::uint32_t firstTime_ = 0;
  std::uint32_t previousTime_ = 0;
  // The last record with the track sensor's position-valid bit, while the fix is lost after it.
  std::optional<std::uint32_t> lastFixTime_;
  std::uint64_t lastFixRecord_ = 0;
  bool fixLost_ = false;
  bool fixBitSeen_ = false;
  HealthReport report_;
};

}  // namespace trelvox
