#pragma once

// The data file's record clock, which the flight summary, the health check and the report page
// all follow: each record's TIME, counted from the first record, and the time the clock ran
// forward, which a step back does not shorten.

#include <cstdint>
#include <string_view>

namespace trelvox {

// The data file's time field counts milliseconds, as the demo log's clock does: a time is a
// reading of scale 3 in seconds.
inline constexpr std::uint32_t kTimeUnitsPerSecond = 1000;
inline constexpr std::string_view kTimeUnitName = "ms";
inline constexpr int kTimeUnitScale = 3;

// Where a record lies in the log.
struct RecordMoment {
  // The records before it.
  std::uint64_t record = 0;
  // Its TIME less the first record's, as the TIME column shows it (so it wraps below the first).
  std::uint32_t time = 0;
  // The steps forward from the first record to it: the time the charts place it at.
  std::uint64_t elapsed = 0;
};

class RecordClock {
 public:
  // Moves on to the next record, whose TIME is `time`.
  void advance(std::uint32_t time) {
    if (records_ == 0) {
      first_ = previous_ = current_ = time;
    } else {
      before_ = now_;
      previous_ = current_;
      current_ = time;
      if (step() > 0) now_.elapsed += static_cast<std::uint64_t>(step());
      ++now_.record;
    }
    now_.time = time - first_;
    ++records_;
  }

  // The record the clock last moved on to, and the one before it (the same for the first).
  const RecordMoment& now() const { return now_; }
  const RecordMoment& before() const { return before_; }
  // How many records the clock has moved through.
  std::uint64_t records() const { return records_; }
  // The record's TIME as the data file gives it.
  std::uint32_t time() const { return current_; }
  // The step from the record before, in time units: negative where the clock went back, 0 at the
  // first record.
  std::int64_t step() const {
    return static_cast<std::int64_t>(current_) - static_cast<std::int64_t>(previous_);
  }

 private:
  std::uint32_t first_ = 0;
  std::uint32_t previous_ = 0;
  std::uint32_t current_ = 0;
  std::uint64_t records_ = 0;
  RecordMoment now_;
  RecordMoment before_;
};

}  // namespace trelvox
