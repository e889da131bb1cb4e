#pragma once

#include <cstddef>
#include <cstdint>
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

  // Marks `series` as sampled: its readings go to sample, not add.
  void keepFirstAndLast(std::size_t series) { sampled_[series] = true; }

  // Opens the next record at `time` (never less than the previous record's); its readings then
  // go to add.
  void nextRecord(std::int64_t time);
  // A reading of plain `series` in the record opened last.
  void add(std::size_t series, std::int64_t value) { cells_[current_ + series].add(value); }
  // A reading of sampled `series` in the record opened last.
  void sample(std::size_t series, std::int64_t value) { cells_[current_ + series].sample(value); }

  std::size_t pointCount() const;
  std::int64_t pointTime(std::size_t point) const;
  // The reading of `series` at `point`; none when the series had no reading there.
  std::optional<std::int64_t> pointValue(std::size_t series, std::size_t point) const;

 private:
  enum Order : std::uint8_t { kEmpty, kLowFirst, kHighFirst };
  struct Cell {
    std::int64_t low = 0;
    std::int64_t high = 0;
    Order order = kEmpty;

    void add(std::int64_t value) {
      if (order == kEmpty) {
        low = high = value;
        order = kLowFirst;
      } else if (value < low) {
        low = value;
        order = kHighFirst;
      } else if (value > high) {
        high = value;
        order = kLowFirst;
      }
    }
    // The first reading stays in `low`, the last goes to `high`.
    void sample(std::int64_t value) {
      if (order == kEmpty) low = value;
      high = value;
      order = kLowFirst;
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
  std::size_t recordsInLast_ = 0;
  std::size_t current_ = 0;  // where the open bucket's cells start
};

}  // namespace trelvox
