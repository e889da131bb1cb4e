#pragma once

#include <cerrno>
#include <memory>
#include <stdexcept>
#include <string>
#include <system_error>

#include "conversion/message_id.h"
#include "outputs/health/limits_fault.h"

namespace trelvox {

// The one failure a conversion reports: which message to show, a detail (the file, as the user
// named it) for those who want more than the message, and the system's reason where a call to the
// system failed, which the shells put into the user's words; for a limits file's fault, its parts.
class TelemetryLogException : public std::runtime_error {
 public:
  TelemetryLogException(MessageId id, const std::string& detail, std::error_code reason = {})
      : std::runtime_error(detail), id_(id), reason_(reason) {}
  explicit TelemetryLogException(const LimitsFileFault& fault)
      : std::runtime_error(fault.what()),
        id_(MessageId::kLimitsFileFault),
        limits_(fault.shared()) {}

  MessageId messageId() const { return id_; }
  std::error_code reason() const { return reason_; }
  // The limits file's fault; null for any other failure.
  const LimitsFault* limitsFault() const { return limits_.get(); }

 private:
  MessageId id_;
  std::error_code reason_;
  std::shared_ptr<const LimitsFault> limits_;
};

// The reason the C library's last call on this thread failed, if it gave one.
inline std::error_code lastSystemError() {
  return errno != 0 ? std::error_code(errno, std::generic_category()) : std::error_code();
}

}  // namespace trelvox
