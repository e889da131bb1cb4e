#pragma once

#include <cstdint>
#include <filesystem>
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

// What a box says of the health check's report: its verdict, and its first red event, else its
// first amber one, with a reading kept on one line with its unit.
HealthGist healthGist(const HealthReport& health, char decimalSeparator, Language language);

// The lines below those: the verdict in words that say what it means ("Health: needs attention
// before the next flight"), then the event on a line of its own and how many more there are.
std::string healthLines(const HealthGist& health, Language language);

// "… and 3 more".
std::string andMoreLine(std::size_t count, Language language);

// Whether a box should show the warning icon for the outcome: it failed, or its flight is amber or
// red.
bool needsALook(const ConversionOutcome& outcome);

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
// browser could not show it and where it is), or the failure's message; then the outcome's lines
// below and its health.
std::string openOutcomeText(const ConversionOutcome& outcome, Language language,
                            bool pageOpened = true);

// That no browser could show `page`, and where it is, to open it by hand.
std::string pageNotOpenedLines(const std::filesystem::path& page, Language language);

}  // namespace trelvox
