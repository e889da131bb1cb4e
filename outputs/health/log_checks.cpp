// The checks of the whole log and their table.
#include "outputs/health/log_checks.h"

#include <array>
#include <limits>

#include "outputs/health/exact_decimal.h"
#include "outputs/track/track_source.h"

namespace trelvox {
namespace {

using Form = CheckSetting::Form;

// Two records further apart than `gap` seconds: amber, red beyond its red value.
class GapCheck final : public LogCheck {
 public:
  static constexpr std::string_view kName = "gap";
  static constexpr std::array kSettings{
      CheckSetting{.key = "gap",
                   .form = Form::kAmberAndRed,
                   .defaultValue = {.amber = {10, 1, true}, .red = Reading{50, 1, true}}}};
  static constexpr TieOrder kTieOrder = TieOrder::kBeforeLimits;

  explicit GapCheck(const CheckStart& start) {
    const Thresholds& gap = start.limits.valueOf(kSettings[0]);
    amberBound_ = timeUnitBounds(gap.amber).aboveBound;
    if (gap.red) redBound_ = timeUnitBounds(*gap.red).aboveBound;
  }

  std::optional<HealthEvent> record(const RecordClock& clock) override {
    const std::int64_t step = clock.step();
    if (step <= amberBound_) return std::nullopt;
    return HealthEvent{
        .severity = step > redBound_ ? Severity::kRed : Severity::kAmber,
        .start = clock.before(),
        .end = clock.now(),
        .count = EventCount{static_cast<std::uint64_t>(step), CountUnit::kTimeUnits}};
  }

 private:
  std::int64_t amberBound_;
  std::int64_t redBound_ = std::numeric_limits<std::int64_t>::max();
};

// A record whose time lies before the one of the record before.
class ClockBackCheck final : public LogCheck {
 public:
  static constexpr std::string_view kName = "clock_back";
  static constexpr std::array<CheckSetting, 0> kSettings{};
  static constexpr TieOrder kTieOrder = TieOrder::kBeforeLimits;

  explicit ClockBackCheck(const CheckStart&) {}

  std::optional<HealthEvent> record(const RecordClock& clock) override {
    if (clock.step() >= 0) return std::nullopt;
    return HealthEvent{.severity = Severity::kAmber, .start = clock.before(), .end = clock.now()};
  }
};

// The track's sensor without its position-valid bit for `fix_lost` seconds or more, from the last
// record with the bit to the next one (or the log's last record).
class GpsFixLostCheck final : public LogCheck {
 public:
  static constexpr std::string_view kName = "gps_fix_lost";
  static constexpr std::array kSettings{CheckSetting{
      .key = "fix_lost", .form = Form::kNumber, .defaultValue = {.amber = {20, 1, true}}}};
  static constexpr TieOrder kTieOrder = TieOrder::kAfterLimits;

  explicit GpsFixLostCheck(const CheckStart& start)
      : track_(start.track),
        // A loss of at least fix_lost seconds: the first whole time unit that is not below it.
        leastLoss_(timeUnitBounds(start.limits.valueOf(kSettings[0]).amber).belowBound) {}

  std::optional<HealthEvent> record(const RecordClock& clock) override {
    const Decoder* sensor = track_.sensor();
    if (!sensor) return std::nullopt;
    const std::optional<bool> valid = sensor->positionValid();
    if (!valid) return std::nullopt;
    if (!*valid) {
      lost_ = lastFix_.has_value();
      return std::nullopt;
    }
    // Most records keep the fix: they only move it on.
    if (!lost_) {
      keepFix(clock);
      return std::nullopt;
    }
    std::optional<HealthEvent> loss = lossUntil(clock);
    lost_ = false;
    keepFix(clock);
    return loss;
  }

  // Without a sensor that had a fix and sends the bit there is no fix to lose.
  bool hasSomethingToCheck(const CheckEnd&) const override {
    return track_.sensor() && track_.sensor()->positionValid();
  }

  std::optional<HealthEvent> end(const CheckEnd& log) override {
    return lost_ ? lossUntil(log.clock) : std::nullopt;
  }

 private:
  void keepFix(const RecordClock& clock) {
    lastFix_ = clock.now();
    lastFixTime_ = clock.time();
  }

  std::optional<HealthEvent> lossUntil(const RecordClock& clock) const {
    if (static_cast<std::int64_t>(clock.time()) - lastFixTime_ < leastLoss_) return std::nullopt;
    const Decoder& sensor = *track_.sensor();
    return HealthEvent{.severity = Severity::kAmber,
                       .start = *lastFix_,
                       .end = clock.now(),
                       .sensor = &sensor.type(),
                       .slot = sensor.firstSlot()};
  }

  const TrackSource& track_;
  std::int64_t leastLoss_;
  // The last record with the bit, and whether the fix has been lost since.
  std::optional<RecordMoment> lastFix_;
  std::uint32_t lastFixTime_ = 0;
  bool lost_ = false;
};

// The last record's height above `ends_above` metres: red. The height is the first item in metres
// that measures one, in column order, with a reading in that record.
class EndsInAirCheck final : public LogCheck {
 public:
  static constexpr std::string_view kName = "ends_in_air";
  static constexpr std::array kSettings{CheckSetting{.key = "ends_above",
                                                     .form = Form::kNumber,
                                                     .defaultValue = {.amber = {30, 1, true}},
                                                     .mayBeNegative = true}};
  static constexpr TieOrder kTieOrder = TieOrder::kAfterLimits;

  explicit EndsInAirCheck(const CheckStart& start)
      : endsAbove_(start.limits.valueOf(kSettings[0]).amber) {}

  bool hasSomethingToCheck(const CheckEnd& log) const override {
    return lastHeight(log.decoders).has_value();
  }

  std::optional<HealthEvent> end(const CheckEnd& log) override {
    const auto [decoder, item] = *lastHeight(log.decoders);
    const Column& column = decoder->columns()[static_cast<std::size_t>(item)];
    const Reading height = decoder->current(item);
    if (height.number <= readingBounds(endsAbove_, 1, column.scale).aboveBound) return std::nullopt;
    return HealthEvent{.severity = Severity::kRed,
                       .start = log.clock.now(),
                       .end = log.clock.now(),
                       .sensor = &decoder->type(),
                       .slot = decoder->firstSlot(),
                       .item = &column,
                       .worstReading = height};
  }

 private:
  struct HeightItem {
    const Decoder* decoder;
    int item;
  };

  static std::optional<HeightItem> lastHeight(Decoders decoders) {
    for (const auto& decoder : decoders) {
      const auto columns = decoder->columns();
      for (std::size_t i = 0; i < columns.size(); ++i) {
        const Column& column = columns[i];
        const int item = static_cast<int>(i);
        if (isItem(column.shown) && column.quantity == Quantity::kHeight &&
            std::string_view(column.unit) == "m" && decoder->tracked(item).hasCurrent()) {
          return HeightItem{decoder.get(), item};
        }
      }
    }
    return std::nullopt;
  }

  Reading endsAbove_;
};

// Bytes after the last whole record: the data file was cut short while it was written.
class CutShortCheck final : public LogCheck {
 public:
  static constexpr std::string_view kName = "cut_short";
  static constexpr std::array<CheckSetting, 0> kSettings{};
  static constexpr TieOrder kTieOrder = TieOrder::kAfterLimits;

  explicit CutShortCheck(const CheckStart&) {}

  // A log without records has no record to place it at.
  std::optional<HealthEvent> end(const CheckEnd& log) override {
    if (log.clock.records() == 0 || log.totals.trailingBytes == 0) return std::nullopt;
    return HealthEvent{.severity = Severity::kAmber,
                       .start = log.clock.now(),
                       .end = log.clock.now(),
                       .count = EventCount{log.totals.trailingBytes, CountUnit::kBytes}};
  }
};

}  // namespace

std::span<const LogCheckRow> logChecks() {
  static const std::array kRows{
      logCheckRow<GapCheck>(),       logCheckRow<ClockBackCheck>(), logCheckRow<GpsFixLostCheck>(),
      logCheckRow<EndsInAirCheck>(), logCheckRow<CutShortCheck>(),
  };
  return kRows;
}

}  // namespace trelvox
