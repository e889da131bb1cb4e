#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "app/messages.h"
#include "app/windows/system_codes.h"
#include "conversion/log_converter.h"

namespace trelvox {

// What a box says of a log's health, in the dialog's language: the verdict, the event that tells
// most (the first red one, else the first amber one; empty when there is none) and how many events
// there were besides it.
struct HealthGist {
  HealthVerdict verdict = HealthVerdict::kNone;
  std::string firstEvent{};
  std::size_t moreEvents = 0;
};

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
  // The flight's health, once the log has been read.
  std::optional<HealthGist> health{};
  // The user kept the existing CSV file: the log was at most read, for its folder's page.
  bool kept = false;
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

// Reads the log of an outcome whose existing CSV file the user chose to keep, writing nothing, for
// its folder's logbook page; marks the outcome kept and fills in its health, or the failure.
// Returns what was read; nothing when it failed.
std::optional<ConversionResult> readKeptLog(
    ConversionOutcome& outcome, Separators separators, Language language,
    const std::function<SystemReason(const std::filesystem::path&)>& systemReason);

}  // namespace trelvox
