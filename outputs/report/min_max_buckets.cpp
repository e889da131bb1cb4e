#include "outputs/report/min_max_buckets.h"

#include <algorithm>

namespace trelvox {

// Merging halves the bucket count, so the limits are kept multiples of four.
MinMaxBuckets::MinMaxBuckets(std::size_t seriesCount, std::size_t pointLimit)
    : seriesCount_(seriesCount),
      pointLimit_(std::max<std::size_t>(pointLimit / 4 * 4, 4)),
      sampled_(seriesCount, 0) {}

void MinMaxBuckets::expectRecords(std::size_t records) {
  if (!spans_.empty()) return;
  while (records > bucketLimit() * recordsPerBucket_) recordsPerBucket_ *= 2;
  expectedBuckets_ = (records + recordsPerBucket_ - 1) / recordsPerBucket_;
}

bool MinMaxBuckets::nextRecord(std::int64_t time) {
  if (!spans_.empty() && recordsInLast_ < recordsPerBucket_) {
    spans_.back().last = time;
    ++recordsInLast_;
    return false;
  }
  // Leaving single records halves the bucket limit as well, so that takes two merges.
  while (spans_.size() >= bucketLimit()) mergeNeighbours();
  current_ = spans_.size() * seriesCount_;
  spans_.push_back({time, time});
  // Room grows in large steps, so opening a bucket costs no allocation; the buckets expected are
  // made room for at once, as each step touches fresh memory and copies the cells.
  if (cells_.size() < current_ + seriesCount_) {
    const std::size_t room = std::max(2 * cells_.size(), expectedBuckets_ * seriesCount_);
    cells_.resize(std::clamp(room, current_ + seriesCount_, bucketLimit() * seriesCount_));
  }
  recordsInLast_ = 1;
  return true;
}

MinMaxBuckets::Cell MinMaxBuckets::merged(const Cell& earlier, const Cell& later, bool sampled) {
  if (later.earlier == kEmpty) return earlier;
  if (earlier.earlier == kEmpty) return later;
  if (sampled) return {earlier.earlier, later.later};
  const std::int64_t low = std::min({earlier.earlier, earlier.later, later.earlier, later.later});
  const std::int64_t high = std::max({earlier.earlier, earlier.later, later.earlier, later.later});
  // Where each extreme was first reached decides their order; on a tie the earlier point counts.
  const auto firstAt = [&](std::int64_t value) {
    return earlier.earlier == value ? 0
           : earlier.later == value ? 1
           : later.earlier == value ? 2
                                    : 3;
  };
  return firstAt(low) <= firstAt(high) ? Cell{low, high} : Cell{high, low};
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
  recordsPerBucket_ *= 2;
}

std::size_t MinMaxBuckets::pointCount() const { return spans_.size() * pointsPerBucket(); }

std::int64_t MinMaxBuckets::pointTime(std::size_t point) const {
  const Span& span = spans_[point / pointsPerBucket()];
  return pointsPerBucket() == 1 || point % 2 == 0 ? span.first : span.last;
}

std::optional<std::int64_t> MinMaxBuckets::pointValue(std::size_t series, std::size_t point) const {
  const Cell& cell = cells_[point / pointsPerBucket() * seriesCount_ + series];
  if (cell.earlier == kEmpty) return std::nullopt;
  return pointsPerBucket() == 1 || point % 2 == 1 ? cell.later : cell.earlier;
}

}  // namespace trelvox
