#include "outputs/report/min_max_buckets.h"

#include <algorithm>

namespace trelvox {

// Merging halves the bucket count, so the limits are kept multiples of four.
MinMaxBuckets::MinMaxBuckets(std::size_t seriesCount, std::size_t pointLimit)
    : seriesCount_(seriesCount),
      pointLimit_(std::max<std::size_t>(pointLimit / 4 * 4, 4)),
      sampled_(seriesCount, 0) {}

void MinMaxBuckets::nextRecord(std::int64_t time) {
  if (!spans_.empty() && recordsInLast_ < recordsPerBucket_) {
    spans_.back().last = time;
    ++recordsInLast_;
    return;
  }
  // Leaving single records halves the bucket limit as well, so that takes two merges.
  while (spans_.size() >= bucketLimit()) mergeNeighbours();
  current_ = spans_.size() * seriesCount_;
  spans_.push_back({time, time});
  cells_.resize(current_ + seriesCount_);
  recordsInLast_ = 1;
}

MinMaxBuckets::Cell MinMaxBuckets::merged(const Cell& earlier, const Cell& later, bool sampled) {
  if (later.order == kEmpty) return earlier;
  if (earlier.order == kEmpty) return later;
  if (sampled) return {earlier.low, later.high, kLowFirst};
  // On a tie the earlier reading is kept, so the order stays the order of arrival.
  const bool lowEarlier = earlier.low <= later.low;
  const bool highEarlier = earlier.high >= later.high;
  Cell cell{lowEarlier ? earlier.low : later.low, highEarlier ? earlier.high : later.high, kEmpty};
  if (lowEarlier == highEarlier) {
    cell.order = lowEarlier ? earlier.order : later.order;
  } else {
    cell.order = lowEarlier ? kLowFirst : kHighFirst;
  }
  return cell;
}

// Every bucket is full when room runs out, so pairs of buckets make full buckets of twice the size.
void MinMaxBuckets::mergeNeighbours() {
  const std::size_t count = spans_.size() / 2;
  for (std::size_t b = 0; b < count; ++b) {
    spans_[b] = {spans_[2 * b].first, spans_[2 * b + 1].last};
    const Cell* earlier = &cells_[2 * b * seriesCount_];
    const Cell* later = earlier + seriesCount_;
    Cell* into = &cells_[b * seriesCount_];
    for (std::size_t s = 0; s < seriesCount_; ++s) {
      into[s] = merged(earlier[s], later[s], sampled_[s] != 0);
    }
  }
  spans_.resize(count);
  cells_.resize(count * seriesCount_);
  recordsPerBucket_ *= 2;
}

std::size_t MinMaxBuckets::pointCount() const { return spans_.size() * pointsPerBucket(); }

std::int64_t MinMaxBuckets::pointTime(std::size_t point) const {
  const Span& span = spans_[point / pointsPerBucket()];
  return pointsPerBucket() == 1 || point % 2 == 0 ? span.first : span.last;
}

std::optional<std::int64_t> MinMaxBuckets::pointValue(std::size_t series, std::size_t point) const {
  const Cell& cell = cells_[point / pointsPerBucket() * seriesCount_ + series];
  if (cell.order == kEmpty) return std::nullopt;
  if (pointsPerBucket() == 1) return cell.high;  // one record: one reading
  const bool lowFirst = cell.order == kLowFirst;
  return point % 2 == 0 ? (lowFirst ? cell.low : cell.high) : (lowFirst ? cell.high : cell.low);
}

}  // namespace trelvox
