#include "app/windows/outcome_texts.h"

#include <algorithm>
#include <string_view>

#include "app/windows/path_for_box.h"
#include "conversion/log_files.h"
#include "conversion/path_text.h"
#include "outputs/logbook/logbook_entry.h"

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

// Between a reading and its unit, so that a box never wraps between them.
constexpr std::string_view kNoBreakSpace = "\u00A0";

// The summary lines up its columns with double spaces; a box's proportional font needs one.
std::string singleSpaced(std::string_view text) {
  std::string spaced;
  for (const char c : text) {
    if (c != ' ' || !spaced.ends_with(' ')) spaced += c;
  }
  return spaced;
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

HealthGist healthGist(const HealthReport& health, char decimalSeparator, Language language) {
  HealthGist gist{.verdict = health.verdict};
  if (const HealthEvent* event = firstTellingEvent(health)) {
    HealthLabels labels = healthLabels(language);
    labels.unitSpace = kNoBreakSpace;
    gist.firstEvent = singleSpaced(healthEventText(*event, labels, decimalSeparator));
    gist.moreEvents = health.events.size() - 1;
  }
  return gist;
}

std::string healthLines(const HealthGist& health, Language language) {
  const HealthLabels labels = healthLabels(language);
  std::string lines =
      formatMessage(MessageId::kHealthVerdictLine, language,
                    {{"verdict", labels.verdictWords[static_cast<std::size_t>(health.verdict)]}});
  if (!health.firstEvent.empty()) (lines += '\n') += health.firstEvent;
  if (health.moreEvents != 0) (lines += '\n') += andMoreLine(health.moreEvents, language);
  return lines;
}

std::string andMoreLine(std::size_t count, Language language) {
  return formatMessage(MessageId::kHealthAndMore, language, {{"count", std::to_string(count)}});
}

bool needsALook(const ConversionOutcome& outcome) {
  return outcome.failure || (outcome.health && (outcome.health->verdict == HealthVerdict::kAmber ||
                                                outcome.health->verdict == HealthVerdict::kRed));
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
    if (!pageOpened) (written += '\n') += pageNotOpenedLines(*outcome.page, language);
  }
  std::string text = withLinesBelow(written, outcome.linesBelow);
  if (outcome.health) (text += '\n') += healthLines(*outcome.health, language);
  return text;
}

std::string pageNotOpenedLines(const fs::path& page, Language language) {
  std::string lines(message(MessageId::kPageNotOpened, language));
  const std::string path = pathForBox(page);
  return (lines += '\n') += formatMessage(MessageId::kOpenByHand, language, {{"file", path}});
}

}  // namespace trelvox
