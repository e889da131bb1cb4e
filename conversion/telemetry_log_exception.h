#pragma once

#include <stdexcept>
#include <string>

namespace trelvox {

// The numbers of the messages a conversion can fail with; the shells turn them into words in the
// user's language.
enum class MessageId : int {
  kInfoFileNotFound = 104,
  kCannotReadFile = 105,
  kCannotCreateOutput = 106,
  kOutputExists = 201,
};

// The one failure a conversion reports: which message to show, and a detail (the file and the
// system's reason) for those who want more than the message.
class TelemetryLogException : public std::runtime_error {
 public:
  TelemetryLogException(MessageId id, const std::string& detail)
      : std::runtime_error(detail), id_(id) {}

  MessageId messageId() const { return id_; }

 private:
  MessageId id_;
};

}  // namespace trelvox
