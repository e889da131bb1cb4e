#include "outputs/health/health_check.h"

#include <algorithm>
#include <limits>
#include <tuple>
#include <utility>

#include "outputs/health/exact_decimal.h"

namespace trelvox {
namespace {

// Milliseconds are the record clock's units: a time in ms is a reading of scale 3 in seconds.
constexpr int kMillisecondsScale = 3;

// Checks of the whole log sort after the limits that began at the same record, in this order.
constexpr int kGapOrder = 0;
constexpr int kClockBackOrder = 1;
constexpr int kFirstLimitOrder = 2;

constexpr char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

bool equalIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return asciiLower(x) == asciiLower(y); });
}

std::string_view withoutTrailingBlanks(std::string_view text) {
  return text.substr(0, text.find_last_not_of(' ') + 1);
}

bool matches(const Limit& limit, const Decoder& decoder, const Column& item) {
  if (limit.sensor && !equalIgnoringCase(withoutTrailingBlanks(*limit.sensor),
                                         withoutTrailingBlanks(decoder.type().name))) {
    return false;
  }
  if (limit.slot && *limit.slot != decoder.firstSlot()) return false;
  if (limit.item && !equalIgnoringCase(*limit.item, item.name)) return false;
  return !limit.quantity || *limit.quantity == item.quantity;
}

const std::optional<Thresholds>& thresholdsOf(const Limit& limit, Direction direction) {
  return direction == Direction::kBelow ? limit.below : limit.above;
}

// The bound a reading must pass to be outside `value` in `direction`.
std::int64_t boundOf(const Reading& value, int cells, int scale, Direction direction) {
  const ReadingBounds bounds = readingBounds(value, cells, scale);
  return direction == Direction::kBelow ? bounds.belowBound : bounds.aboveBound;
}

bool isBeyond(std::int64_t number, std::int64_t bound, Direction direction) {
  return direction == Direction::kBelow ? number < bound : number > bound;
}

// The bound on a step of the record clock, in ms, beyond which it is longer than `seconds`.
std::int64_t millisecondsAbove(const Reading& seconds) {
  return readingBounds(seconds, 1, kMillisecondsScale).aboveBound;
}

}  // namespace

HealthCheck::HealthCheck(HealthLimits limits, std::optional<std::string> limitsFile,
                         const TrackSource& track)
    : limits_(std::move(limits)),
      builtIn_(builtInReceiverLimit()),
      gapAmberMs_(millisecondsAbove(limits_.gap.amber)),
      gapRedMs_(limits_.gap.red ? millisecondsAbove(*limits_.gap.red)
                                : std::numeric_limits<std::int64_t>::max()),
      mergeMs_(millisecondsAbove(limits_.merge)),
      // A loss of at least fix_lost seconds: the first whole ms that is not below it.
      fixLostMs_(readingBounds(limits_.fixLost, 1, kMillisecondsScale).belowBound),
      track_(track) {
  report_.limitsFile = std::move(limitsFile);
}

void HealthCheck::start(Decoders decoders) {
  decoders_ = decoders;
  watchItems(decoders);
}

// For each direction, an item takes the limit that names the most keys; among equals the later
// one, and the built-in limit counts as coming first.
const Limit* HealthCheck::limitFor(const Decoder& decoder, const Column& item,
                                   Direction direction) const {
  const Limit* chosen = nullptr;
  const auto consider = [&](const Limit& limit) {
    if (!thresholdsOf(limit, direction) || !matches(limit, decoder, item)) return;
    if (!chosen || limit.keyCount() >= chosen->keyCount()) chosen = &limit;
  };
  if (limits_.defaults) consider(builtIn_);
  for (const Limit& limit : limits_.limits) consider(limit);
  return chosen;
}

void HealthCheck::watchItems(Decoders decoders) {
  for (const auto& decoder : decoders) {
    const auto columns = decoder->columns();
    for (std::size_t i = 0; i < columns.size(); ++i) {
      if (!isItem(columns[i].shown)) continue;
      for (const Direction direction : {Direction::kBelow, Direction::kAbove}) {
        const Limit* limit = limitFor(*decoder, columns[i], direction);
        if (!limit) continue;
        const Thresholds& thresholds = *thresholdsOf(*limit, direction);
        const int scale = columns[i].scale;
        watches_.push_back(
            {.decoder = decoder.get(),
             .item = static_cast<int>(i),
             .direction = direction,
             .limit = limit,
             .amberBound = boundOf(thresholds.amber, limit->cells, scale, direction),
             .redBound =
                 thresholds.red ? boundOf(*thresholds.red, limit->cells, scale, direction) : 0,
             .hasRed = thresholds.red.has_value()});
      }
    }
  }
}

void HealthCheck::record(const DataRecord& record) {
  const std::uint32_t time = record.time();
  followClock(time);
  for (Watch& watch : watches_) checkWatch(watch, time);
  if (!limits_.isOff(LogCheck::kGpsFixLost)) followFix(time);
  previousTime_ = time;
  ++records_;
}

void HealthCheck::followClock(std::uint32_t time) {
  if (records_ == 0) {
    firstTime_ = time;
    return;
  }
  if (time < previousTime_) {
    if (!limits_.isOff(LogCheck::kClockBack)) {
      addEvent(logEvent(LogCheck::kClockBack, Severity::kAmber, previousTime_, time, records_ - 1));
    }
    return;
  }
  const std::int64_t step = time - previousTime_;
  if (limits_.isOff(LogCheck::kGap) || step <= gapAmberMs_) return;
  HealthEvent gap = logEvent(LogCheck::kGap, step > gapRedMs_ ? Severity::kRed : Severity::kAmber,
                             previousTime_, time, records_ - 1);
  gap.worstCount = static_cast<std::uint64_t>(step);
  addEvent(gap);
}

// Outside records of one item and direction make one event while each follows the one before
// directly or within the merge window of record time.
void HealthCheck::checkWatch(Watch& watch, std::uint32_t time) {
  const TrackedReading& tracked = watch.decoder->tracked(watch.item);
  if (!tracked.hasCurrent() || !isBeyond(tracked.current, watch.amberBound, watch.direction)) {
    return;
  }
  const bool red = watch.hasRed && isBeyond(tracked.current, watch.redBound, watch.direction);
  const bool continues =
      watch.open && (records_ == watch.lastOutsideRecord + 1 ||
                     static_cast<std::int64_t>(time) - watch.lastOutsideTime <= mergeMs_);
  if (continues) {
    HealthEvent& event = *watch.open;
    event.endMs = shownTime(time);
    if (red) event.severity = Severity::kRed;
    if (isBeyond(tracked.current, event.worstReading.number, watch.direction)) {
      event.worstReading = watch.decoder->current(watch.item);
    }
  } else {
    if (watch.open) addEvent(*watch.open);
    const Column& item = watch.decoder->columns()[static_cast<std::size_t>(watch.item)];
    watch.open = HealthEvent{
        .check = {.isLimit = true, .logCheck = LogCheck::kGap},
        .severity = red ? Severity::kRed : Severity::kAmber,
        .startMs = shownTime(time),
        .endMs = shownTime(time),
        .sensor = &watch.decoder->type(),
        .slot = watch.decoder->firstSlot(),
        .item = &item,
        .direction = watch.direction,
        .thresholds = *thresholdsOf(*watch.limit, watch.direction),
        .cells = watch.limit->cells,
        .worstReading = watch.decoder->current(watch.item),
        .startRecord = records_,
        .order = kFirstLimitOrder + static_cast<int>(&watch - watches_.data()),
    };
  }
  watch.lastOutsideRecord = records_;
  watch.lastOutsideTime = time;
}

// The span of a lost fix runs from the last record with the position-valid bit to the next one.
void HealthCheck::followFix(std::uint32_t time) {
  const Decoder* sensor = track_.sensor();
  if (!sensor) return;
  const std::optional<bool> valid = sensor->positionValid();
  if (!valid) return;
  if (!*valid) {
    fixLost_ = lastFixTime_.has_value();
    return;
  }
  if (fixLost_) closeFixLoss(time);
  fixLost_ = false;
  lastFixTime_ = time;
  lastFixRecord_ = records_;
}

void HealthCheck::closeFixLoss(std::uint32_t untilTime) {
  if (static_cast<std::int64_t>(untilTime) - *lastFixTime_ < fixLostMs_) return;
  HealthEvent event =
      logEvent(LogCheck::kGpsFixLost, Severity::kAmber, *lastFixTime_, untilTime, lastFixRecord_);
  const Decoder& sensor = *track_.sensor();
  event.sensor = &sensor.type();
  event.slot = sensor.firstSlot();
  addEvent(event);
}

void HealthCheck::end(const LogTotals& totals) {
  for (Watch& watch : watches_) {
    if (watch.open) addEvent(*std::exchange(watch.open, std::nullopt));
  }
  if (fixLost_) closeFixLoss(previousTime_);
  fixLost_ = false;
  listNotChecked();
  if (!limits_.isOff(LogCheck::kEndsInAir)) checkEndsInAir();
  if (records_ > 0 && !limits_.isOff(LogCheck::kCutShort)) checkCutShort(totals);
  std::ranges::stable_sort(report_.events, {}, [](const HealthEvent& event) {
    return std::tuple(event.startRecord, event.order);
  });
  const bool red = std::ranges::any_of(
      report_.events, [](const HealthEvent& event) { return event.severity == Severity::kRed; });
  report_.verdict = records_ == 0             ? HealthVerdict::kNone
                    : red                     ? HealthVerdict::kRed
                    : !report_.events.empty() ? HealthVerdict::kAmber
                                              : HealthVerdict::kGreen;
}

// The first height in metres, in column order, that the last record has a reading of.
void HealthCheck::checkEndsInAir() {
  for (const auto& decoder : decoders_) {
    const auto columns = decoder->columns();
    for (std::size_t i = 0; i < columns.size(); ++i) {
      const Column& column = columns[i];
      const int item = static_cast<int>(i);
      if (!isItem(column.shown) || column.quantity != Quantity::kHeight ||
          std::string_view(column.unit) != "m" || !decoder->tracked(item).hasCurrent()) {
        continue;
      }
      const Reading height = decoder->current(item);
      if (height.number > boundOf(limits_.endsAbove, 1, column.scale, Direction::kAbove)) {
        HealthEvent event = logEvent(LogCheck::kEndsInAir, Severity::kRed, previousTime_,
                                     previousTime_, records_ - 1);
        event.sensor = &decoder->type();
        event.slot = decoder->firstSlot();
        event.item = &column;
        event.worstReading = height;
        addEvent(event);
      }
      return;
    }
  }
  report_.notChecked.push_back(LogCheck::kEndsInAir);
}

void HealthCheck::checkCutShort(const LogTotals& totals) {
  if (totals.trailingBytes == 0) return;
  HealthEvent event =
      logEvent(LogCheck::kCutShort, Severity::kAmber, previousTime_, previousTime_, records_ - 1);
  event.worstCount = totals.trailingBytes;
  addEvent(event);
}

// A GPS check without a sensor that had a fix and sends a position-valid bit has nothing to look
// at; the height check finds out for itself.
void HealthCheck::listNotChecked() {
  if (limits_.isOff(LogCheck::kGpsFixLost)) return;
  const Decoder* sensor = track_.sensor();
  if (!sensor || !sensor->positionValid()) {
    report_.notChecked.push_back(LogCheck::kGpsFixLost);
  }
}

HealthEvent HealthCheck::logEvent(LogCheck check, Severity severity, std::uint32_t start,
                                  std::uint32_t end, std::uint64_t startRecord) const {
  const int lastLimitOrder = kFirstLimitOrder + static_cast<int>(watches_.size());
  const int order = check == LogCheck::kGap         ? kGapOrder
                    : check == LogCheck::kClockBack ? kClockBackOrder
                                                    : lastLimitOrder + static_cast<int>(check);
  return {.check = {.isLimit = false, .logCheck = check},
          .severity = severity,
          .startMs = shownTime(start),
          .endMs = shownTime(end),
          .startRecord = startRecord,
          .order = order};
}

void HealthCheck::addEvent(HealthEvent event) { report_.events.push_back(std::move(event)); }

}  // namespace trelvox
