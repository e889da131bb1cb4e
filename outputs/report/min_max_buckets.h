#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

namespace trelvox {

// Many series sampled at the same record times, kept within a fixed number of points per series
// however long the log. Up to the limit every record is one point. Past it, records are gathered
// into buckets of 2, 4, 8, ... records (neighbouring buckets are merged whenever room runs out)
// and each bucket is kept as two points at its first and last record's time. A plain series keeps
// its smallest and largest reading of the bucket there, in the order they came, so spikes survive
// at any length; a sampled series (positions) keeps its first and last reading, so that points
// stay on the path. Memory never exceeds series × point limit cells.
class MinMaxBuckets {
 public:
  // `pointLimit` (at least 4) is the most points a series may have.
  MinMaxBuckets(std::size_t seriesCount, std::size_t pointLimit);

  // A series without a reading in a record.
  static constexpr std::int64_t kNoReading = std::numeric_limits<std::int64_t>::min();

  // Before the first record: `records` are expected, so buckets start at the size they would
  // reach by merging, which gives the same points without merging on the way. A wrong guess costs
  // only time.
  void expectRecords(std::size_t records);

  // Marks `series` as sampled: its readings go to sample, not add.
  void keepFirstAndLast(std::size_t series) { sampled_[series] = true; }

  // Opens the next record at `time` (never less than the previous record's). When that begins a
  // new bucket it returns true, and every series must then get its reading (or kNoReading) through
  // begin; otherwise readings go to add or sample. Each series gets at most one per record.
  bool nextRecord(std::int64_t time);
  void begin(std::size_t series, std::int64_t value) { cells_[current_ + series] = {value, value}; }
  // A reading of plain `series`.
  void add(std::size_t series, std::int64_t value) { cells_[current_ + series].add(value); }
  // A reading of sampled `series`.
  void sample(std::size_t series, std::int64_t value) { cells_[current_ + series].sample(value); }

  std::size_t pointCount() const;
  std::int64_t pointTime(std::size_t point) const;
  // The reading of `series` at `point`; none when the series had no reading there.
  std::optional<std::int64_t> pointValue(std::size_t series, std::size_t point) const;
  // Calls visit(reading) for every point of `series` in order; kNoReading where it has none.
  template <typename Visit>
  void visitPoints(std::size_t series, Visit visit) const {
    const bool single = recordsPerBucket_ == 1;
    for (std::size_t b = 0; b < spans_.size(); ++b) {
      const Cell& cell = cells_[b * seriesCount_ + series];
      if (!single) visit(cell.earlier);  // kEmpty is kNoReading
      visit(cell.later);
    }
  }

 private:
  static constexpr std::int64_t kEmpty = kNoReading;

  // A series' two points in a bucket, in time order: its extremes (or first and last reading).
  // A bucket's only record has both points equal. No reading yet: `earlier` is kEmpty.
  struct Cell {
    std::int64_t earlier;
    std::int64_t later;

    void add(std::int64_t value) {
      // Most readings repeat a point already kept, which changes nothing.
      if (value == later || value == earlier) return;
      if (earlier == kEmpty) {
        earlier = later = value;
        return;
      }
      const std::int64_t low = std::min(earlier, later);
      const std::int64_t high = std::max(earlier, later);
      // A new extreme becomes the later point; the other extreme, the earlier one.
      if (value < low) {
        earlier = high;
        later = value;
      } else if (value > high) {
        earlier = low;
        later = value;
      }
    }
    void sample(std::int64_t value) {
      if (earlier == kEmpty) earlier = value;
      later = value;
    }
  };
  struct Span {
    std::int64_t first;
    std::int64_t last;
  };

  static Cell merged(const Cell& earlier, const Cell& later, bool sampled);
  std::size_t bucketLimit() const { return recordsPerBucket_ == 1 ? pointLimit_ : pointLimit_ / 2; }
  std::size_t pointsPerBucket() const { return recordsPerBucket_ == 1 ? 1 : 2; }
  void mergeNeighbours();

  std::size_t seriesCount_;
  std::size_t pointLimit_;
  std::vector<std::uint8_t> sampled_;
  std::vector<Cell> cells_;  // bucket-major: the cells of bucket b start at b * seriesCount_
  std::vector<Span> spans_;  // the first and last record time of every bucket
  std::size_t recordsPerBucket_ = 1;
  std::size_t expectedBuckets_ = 0;
  std::size_t recordsInLast_ = 0;
  std::size_t current_ = 0;  // where the open bucket's cells start
};

}  // namespace trelvox
