#pragma once

#include <cstdint>

#include "decoders/decoder.h"
#include "values/data_record.h"

namespace trelvox {

// What the record loop knows once the data file has been read.
struct LogTotals {
  std::uint64_t records = 0;
  // Bytes after the last complete record: a record cut short, which is not converted.
  std::uint64_t trailingBytes = 0;
};

// One output of a conversion (CSV, summary, tracks, ...). The record loop calls start once with the
// conversion's decoders, record once per data record after every decoder has read it, and end once
// when the data file is done, or when reading it failed (then with what was read so far, before the
// failure goes on), so that everything written so far reaches its file. An output that writes
// only at the end (from what others gathered) leaves start and record as they are.
class LogOutput {
 public:
  virtual ~LogOutput() = default;
  virtual void start(Decoders) {}
  virtual void record(const DataRecord&) {}
  virtual void end(const LogTotals& totals) = 0;
  // Whether there is anything to keep once the log has ended: a file whose output has nothing is
  // dropped (a track file of a log without a position).
  virtual bool hasContent() const { return true; }
};

}  // namespace trelvox
