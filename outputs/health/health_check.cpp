#include "outputs/health/health_check.h"

#include <algorithm>
#include <tuple>
#include <utility>

#include "outputs/health/exact_decimal.h"
#include "values/ascii_case.h"

namespace trelvox {
namespace {

bool matches(const Limit& limit, const Decoder& decoder, const Column& item) {
  if (limit.sensor &&
      !equalIgnoringAsciiCase(trimmedTypeName(*limit.sensor), decoder.type().trimmedName())) {
    return false;
  }
  if (limit.slot && *limit.slot != decoder.firstSlot()) return false;
  if (limit.item && !equalIgnoringAsciiCase(*limit.item, item.name)) return false;
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

}  // namespace

HealthCheck::HealthCheck(HealthLimits limits, std::optional<std::string> limitsFile,
                         const TrackSource& track)
    : limits_(std::move(limits)),
      builtIn_(builtInReceiverLimit()),
      mergeBound_(timeUnitBounds(limits_.merge).aboveBound),
      track_(track) {
  report_.limitsFile = std::move(limitsFile);
}

void HealthCheck::start(Decoders decoders) {
  decoders_ = decoders;
  watchItems(decoders);
  const std::span<const LogCheckRow> rows = logChecks();
  for (std::size_t k = 0; k < rows.size(); ++k) {
    if (limits_.isOff(rows[k].name)) continue;
    checks_.push_back({&rows[k], static_cast<int>(k), rows[k].make({limits_, decoders, track_})});
  }
  for (const RunningCheck& running : checks_) {
    if (running.row->watchesRecords) recordWatchers_.push_back(&running);
  }
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
  clock_.advance(record.time());
  for (Watch& watch : watches_) checkWatch(watch);
  for (const RunningCheck* running : recordWatchers_) {
    // Tested here rather than handed on: most records find nothing, and the event is large.
    if (std::optional<HealthEvent> event = running->check->record(clock_)) {
      addCheckEvent(*running, std::move(*event));
    }
  }
}

// Outside records of one item and direction make one event while each follows the one before
// directly or within the merge window of record time.
void HealthCheck::checkWatch(Watch& watch) {
  const TrackedReading& tracked = watch.decoder->tracked(watch.item);
  if (!tracked.hasCurrent() || !isBeyond(tracked.current, watch.amberBound, watch.direction)) {
    return;
  }
  const bool red = watch.hasRed && isBeyond(tracked.current, watch.redBound, watch.direction);
  const RecordMoment& now = clock_.now();
  const bool continues =
      watch.open &&
      (now.record == watch.lastOutsideRecord + 1 ||
       static_cast<std::int64_t>(clock_.time()) - watch.lastOutsideTime <= mergeBound_);
  if (continues) {
    HealthEvent& event = *watch.open;
    event.end = now;
    if (red) event.severity = Severity::kRed;
    if (isBeyond(tracked.current, event.worstReading.number, watch.direction)) {
      event.worstReading = watch.decoder->current(watch.item);
    }
  } else {
    if (watch.open) report_.events.push_back(*watch.open);
    watch.open = HealthEvent{
        .check = kLimitCheckName,
        .severity = red ? Severity::kRed : Severity::kAmber,
        .start = now,
        .end = now,
        .sensor = &watch.decoder->type(),
        .slot = watch.decoder->firstSlot(),
        .item = &watch.decoder->columns()[static_cast<std::size_t>(watch.item)],
        .worstReading = watch.decoder->current(watch.item),
        .limit = LimitCrossing{.direction = watch.direction,
                               .thresholds = *thresholdsOf(*watch.limit, watch.direction),
                               .cells = watch.limit->cells},
        // After the checks of the whole log that come before the limits.
        .order = static_cast<int>(logChecks().size() + (&watch - watches_.data())),
    };
  }
  watch.lastOutsideRecord = now.record;
  watch.lastOutsideTime = clock_.time();
}

// Among events that begin at the same record: the checks that come before the limits in the
// order of the checks, the limits in the order of their watches, then the other checks.
void HealthCheck::addCheckEvent(const RunningCheck& running, HealthEvent event) {
  event.check = running.row->name;
  event.order = running.row->tieOrder == TieOrder::kBeforeLimits
                    ? running.index
                    : static_cast<int>(logChecks().size() + watches_.size()) + running.index;
  report_.events.push_back(std::move(event));
}

void HealthCheck::end(const LogTotals& totals) {
  for (Watch& watch : watches_) {
    if (watch.open) report_.events.push_back(*std::exchange(watch.open, std::nullopt));
  }
  const CheckEnd log{clock_, decoders_, totals};
  for (const RunningCheck& running : checks_) {
    if (running.check->hasSomethingToCheck(log)) {
      if (std::optional<HealthEvent> event = running.check->end(log)) {
        addCheckEvent(running, std::move(*event));
      }
    } else {
      report_.notChecked.push_back(running.row->name);
    }
  }
  std::ranges::stable_sort(report_.events, {}, [](const HealthEvent& event) {
    return std::tuple(event.start.record, event.order);
  });
  const bool red = std::ranges::any_of(
      report_.events, [](const HealthEvent& event) { return event.severity == Severity::kRed; });
  report_.verdict = clock_.records() == 0     ? HealthVerdict::kNone
                    : red                     ? HealthVerdict::kRed
                    : !report_.events.empty() ? HealthVerdict::kAmber
                                              : HealthVerdict::kGreen;
}

}  // namespace trelvox
