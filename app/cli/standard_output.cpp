#include "app/cli/standard_output.h"

#include <cerrno>
#include <system_error>

namespace trelvox {

void StreamSink::write(std::span<const char> bytes) {
  errno = 0;
  if (!stream_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()))) fail();
}

void StreamSink::flush() {
  errno = 0;
  if (!stream_.flush()) fail();
}

void StreamSink::fail() {
  // Once the reader has gone, the stream fails every later write without asking the system.
  if (errno == EPIPE) readerGone_ = true;
  throw TelemetryLogException(
      MessageId::kCannotCreateOutput, "standard output",
      readerGone_ ? std::make_error_code(std::errc::broken_pipe) : lastSystemError());
}

bool readerClosed(const TelemetryLogException& e) { return e.reason() == std::errc::broken_pipe; }

}  // namespace trelvox
