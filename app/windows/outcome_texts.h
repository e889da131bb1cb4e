#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "app/messages.h"
#include "app/windows/conversion_outcome.h"
#include "app/windows/system_codes.h"
#include "conversion/telemetry_log_exception.h"
#include "outputs/health/health_check.h"

namespace trelvox {

// What one conversion converted: its data records, the sensors besides the receiver, and the bytes
// after the last whole record.
struct ConversionCounts {
  std::uint64_t records = 0;
  int sensors = 0;
  std::uint64_t trailingBytes = 0;
};

// The lines below the success message: how many records and sensors were converted; when there
// were none of either, a line saying so; and when the data file ends in part of a record, that the
// log may have been cut off.
std::string convertedLines(const ConversionCounts& counts, Language language);

// The line below those: the health check's verdict and its first red event, else its first amber
// one ("Health: red, 0:01:40.0–0:01:40.5  red  RECEIVER BATTERY below 4.4 V ...").
std::string healthLine(const HealthReport& health, char decimalSeparator, Language language);

// The line below a failure's message that says why converting `log` into `output` failed: the
// information file looked for, that the CSV file is one of the log's own files, or the file the
// system refused (the data file, or the output: the CSV file or the page) with the system's own
// words for it (`systemReason`; may be empty), and for a file another program holds open a line
// telling the user to close it there.
std::string failureReason(MessageId failure, const std::filesystem::path& log,
                          const std::filesystem::path& output, const SystemReason& systemReason,
                          Language language);

// The text shown after the Open or Report command's conversion: the CSV file's name followed by
// message 103 (and the same for the page when there is one; then, unless `pageOpened`, that the
// browser could not show it), or the failure's message; then the outcome's lines below.
std::string openOutcomeText(const ConversionOutcome& outcome, Language language,
                            bool pageOpened = true);

// The text shown after converting dropped logs: for each log the success message, or
// "LOG: message" when it failed, followed by its lines below.
std::string dropOutcomeText(std::span<const ConversionOutcome> outcomes, Language language);

}  // namespace trelvox
