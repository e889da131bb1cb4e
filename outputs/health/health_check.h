#pragma once

// The flight health check: did anything go wrong, or come close, and when. It watches items
// against the limits of the pilot's limits file (and the receiver battery's built-in limit), and
// runs the checks of the whole log (log_checks.h). Its report is the same for the summary, JSON,
// logbook and page.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "outputs/health/health_event.h"
#include "outputs/health/limits_file.h"
#include "outputs/health/log_checks.h"
#include "outputs/log_output.h"
#include "outputs/track/track_source.h"
#include "values/record_clock.h"

namespace trelvox {

// The health check as an output of the record loop. Per record it costs one comparison per
// watched item and direction, and what each check of the whole log looks at.
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
  // A check of the whole log that is not off, with its row.
  struct RunningCheck {
    const LogCheckRow* row;
    int index;
    std::unique_ptr<LogCheck> check;
  };

  void watchItems(Decoders decoders);
  const Limit* limitFor(const Decoder& decoder, const Column& item, Direction direction) const;
  void checkWatch(Watch& watch);
  void addCheckEvent(const RunningCheck& running, HealthEvent event);

  HealthLimits limits_;
  Limit builtIn_;
  // The merge window, in the record clock's units.
  std::int64_t mergeBound_;
  const TrackSource& track_;
  Decoders decoders_;
  std::vector<Watch> watches_;
  std::vector<RunningCheck> checks_;
  // Those of checks_ that look at each record.
  std::vector<const RunningCheck*> recordWatchers_;
  RecordClock clock_;
  HealthReport report_;
};

}  // namespace trelvox
