#include "app/windows/outcome_texts.h"

#include <algorithm>
#include <string_view>

#include "app/windows/path_for_box.h"
#include "conversion/log_files.h"
#include "conversion/path_text.h"

namespace trelvox {
namespace fs = std::filesystem;
namespace {

// The file named in a failure's reason, with the system's words for what went wrong when it gave
// any, and what to do about a file held open.
std::string refusedFile(const fs::path& file, const SystemReason& systemReason, Language language) {
  std::string line = pathForBox(file);
  if (!systemReason.words.empty()) (line += ": ") += systemReason.words;
  if (systemReason.heldOpen) (line += '\n') += message(MessageId::kCloseHeldFile, language);
  return line;
}

std::string withLinesBelow(std::string_view firstLine, std::string_view below) {
  std::string text(firstLine);
  if (!below.empty()) (text += '\n') += below;
  return text;
}

}  // namespace

std::string convertedLines(const ConversionCounts& counts, Language language) {
  const std::string records = std::to_string(counts.records);
  const std::string sensors = std::to_string(counts.sensors);
  std::string lines = formatMessage(MessageId::kConvertedCounts, language,
                                    {{"records", records}, {"sensors", sensors}});
  if (counts.records == 0) (lines += '\n') += message(MessageId::kNoRecords, language);
  if (counts.sensors == 0) (lines += '\n') += message(MessageId::kNoSensor, language);
  if (counts.trailingBytes != 0) {
    const std::string bytes = std::to_string(counts.trailingBytes);
    (lines += '\n') += formatMessage(MessageId::kCutOff, language, {{"bytes", bytes}});
  }
  return lines;
}

std::string healthLine(const HealthReport& health, char decimalSeparator, Language language) {
  const HealthLabels labels = healthLabels(language);
  std::string line(labels.health);
  line.append(": ").append(labels.verdicts[static_cast<std::size_t>(health.verdict)]);
  const auto isRed = [](const HealthEvent& event) { return event.severity == Severity::kRed; };
  const auto red = std::ranges::find_if(health.events, isRed);
  const auto first = red != health.events.end() ? red : health.events.begin();
  if (first != health.events.end()) {
    line.append(", ").append(healthEventText(*first, labels, decimalSeparator));
  }
  return line;
}

std::string failureReason(MessageId failure, const fs::path& log, const fs::path& output,
                          const SystemReason& systemReason, Language language) {
  const LogFiles files = logFilesOf(log);
  switch (failure) {
    case MessageId::kInfoFileNotFound:
      return formatMessage(MessageId::kLookedFor, language, {{"file", pathForBox(files.info)}});
    case MessageId::kCannotReadFile:
      // The data file, also when the information file was the one chosen or dropped.
      return refusedFile(files.data, systemReason, language);
    case MessageId::kCannotCreateOutput:
      if (isOneOfTheLogsFiles(output, log)) {
        return formatMessage(MessageId::kOneOfTheLogsFiles, language,
                             {{"file", displayPath(output.filename())}});
      }
      return refusedFile(output, systemReason, language);
    case MessageId::kOutputExists:
      return refusedFile(output, systemReason, language);
    default:
      break;
  }
  return {};
}

std::string openOutcomeText(const ConversionOutcome& outcome, Language language, bool pageOpened) {
  if (outcome.failure) {
    return withLinesBelow(message(*outcome.failure, language), outcome.linesBelow);
  }
  std::string written = successMessage(displayPath(outcome.output.filename()), language);
  if (outcome.page) {
    (written += '\n') += successMessage(displayPath(outcome.page->filename()), language);
    if (!pageOpened) (written += '\n') += message(MessageId::kPageNotOpened, language);
  }
  return withLinesBelow(written, outcome.linesBelow);
}

std::string dropOutcomeText(std::span<const ConversionOutcome> outcomes, Language language) {
  std::string text;
  for (const ConversionOutcome& outcome : outcomes) {
    if (!text.empty()) text += '\n';
    const std::string firstLine =
        outcome.failure ? displayPath(outcome.log.filename()) + ": " +
                              std::string(message(*outcome.failure, language))
                        : successMessage(displayPath(outcome.output.filename()), language);
    text += withLinesBelow(firstLine, outcome.linesBelow);
  }
  return text;
}

}  // namespace trelvox
