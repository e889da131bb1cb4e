#pragma once

#include <ostream>
#include <span>

#include "conversion/telemetry_log_exception.h"
#include "outputs/text/byte_sink.h"

namespace trelvox {

// Standard output as the sink of a CSV or a logbook. A failed write says why, so that a reader
// that has had enough (`| head`) can be told from a full disk.
class StreamSink final : public ByteSink {
 public:
  explicit StreamSink(std::ostream& stream) : stream_(stream) {}
  void write(std::span<const char> bytes) override;
  void flush();

 private:
  [[noreturn]] void fail();

  std::ostream& stream_;
  bool readerGone_ = false;
};

// The reader of standard output closed it: what it wanted it has, as with any tool in a pipe, so
// the output stops quietly. Files are written under temporary names, never into a pipe, so only
// standard output fails this way; the core has dropped the log's unfinished files as for any
// failure.
bool readerClosed(const TelemetryLogException& e);

}  // namespace trelvox
