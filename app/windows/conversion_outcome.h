#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "app/messages.h"
#include "app/windows/system_codes.h"
#include "conversion/log_converter.h"

namespace trelvox {

// How the conversion of one log ended, or is to be tried.
struct ConversionOutcome {
  std::filesystem::path log;     // the file chosen or dropped
  std::filesystem::path output;  // the CSV file
  // The message number of the failure (a MessageId of the conversion, or the dialog's own, such
  // as a dropped file that is no log); empty: converted (or still to convert).
  std::optional<MessageId> failure;
  std::string linesBelow{};  // what was converted, or why it failed
  // The Report command's HTML page of the flight, written with the CSV file.
  std::optional<std::filesystem::path> page{};
};

// The failure to report when the information file that the log `chosenLog` needs is missing,
// looked for as the conversion looks for it; nothing when it is there. The Open command checks
// this as soon as the log is chosen, so that the user learns of it before being asked where to
// save.
std::optional<ConversionOutcome> missingInfoFile(const std::filesystem::path& chosenLog,
                                                 Language language);

// Converts the outcome's log into its CSV file (and its page, in the message language, when it
// has one) and fills in how that went: the failure, if any, and the lines below the message.
// Returns what was converted, for a logbook page; nothing when it failed. `systemReason` is asked
// right after a failure for the system's reason for the file operation that failed (empty when it
// has none), given the output that failure concerns: the page when it was the page's, else the CSV
// file.
std::optional<ConversionResult> convertLog(
    ConversionOutcome& outcome, LogConverter::ExistingOutput existing, Separators separators,
    Language language,
    const std::function<SystemReason(const std::filesystem::path&)>& systemReason);

}  // namespace trelvox
