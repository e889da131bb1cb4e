#include "app/cli/batch.h"

#include <string>
#include <system_error>

#include "app/cli/card_page.h"
#include "app/cli/cli_texts.h"
#include "app/cli/failure_text.h"
#include "app/cli/log_pool.h"
#include "app/cli/logbook_writer.h"
#include "app/cli/request_builder.h"
#include "app/cli/standard_output.h"
#include "conversion/log_converter.h"
#include "conversion/path_text.h"
#include "conversion/telemetry_log_exception.h"
#include "outputs/logbook/logbook.h"
#include "outputs/summary/summary_text.h"

namespace trelvox {
namespace fs = std::filesystem;
namespace {

// What one log's conversion has to say, kept until the logs before it have spoken.
struct LogOutcome {
  bool converted = false;
  std::string messages;
  std::string errors;
  std::string logbookRow;
  // For the logbook page: the result, or why the log could not be read.
  std::optional<ConversionResult> result;
  std::string failure;
};

LogOutcome convertOne(const BatchOptions& options, const fs::path& log, ByteSink* standardOutput,
                      const std::optional<fs::path>& takenOutput) {
  LogOutcome outcome;
  try {
    if (takenOutput) {
      throw TelemetryLogException(MessageId::kCannotCreateOutput,
                                  displayPath(*takenOutput) + " would be written twice");
    }
    LogConverter converter(options.separators);
    converter.open(log, requestFor(options, log, standardOutput));
    const ConversionResult result = converter.convert();
    for (const fs::path& file : result.written) {
      outcome.messages += successMessage(displayPath(file.filename()), options.language) + "\n";
    }
    if (!result.dropped.empty()) {
      outcome.errors +=
          displayPath(log) + ": " + std::string(noPositionNote(options.language)) + "\n";
    }
    if (options.summary) {
      outcome.messages +=
          summaryText(*result.summary, summaryLabels(options.language),
                      options.separators.decimal) +
          healthText(*result.health, healthLabels(options.language), options.separators.decimal);
    }
    if (!options.logbook.empty()) {
      outcome.logbookRow =
          logbookRow(*result.summary, *result.health, displayPath(result.dataFile), result.date,
                     options.date ? DateSource::kOption : DateSource::kFileTime, options.separators,
                     result.model);
    }
    if (!options.logbookPage.empty()) outcome.result = result;
    outcome.converted = true;
  } catch (const TelemetryLogException& e) {
    if (readerClosed(e)) {
      outcome.converted = true;
      return outcome;
    }
    outcome.errors += failureText(log, e, options.language);
    outcome.failure = failureReason(e, options.language);
  } catch (const std::system_error& e) {
    // The system refused what a long log's row formatter needs: a thread (a task limit).
    outcome.errors +=
        failureText(log, TelemetryLogException(MessageId::kCannotCreateOutput, e.code().message()),
                    options.language);
  }
  return outcome;
}

// Why a folder gave no log, without its path.
std::string folderReason(const FolderWithoutLogs& folder, Language language) {
  if (!folder.readFailure.empty()) {
    return failureReason(TelemetryLogException(MessageId::kCannotReadFile, folder.readFailure),
                         language);
  }
  return std::string(noLogInFolderNote(language));
}

std::string folderNote(const FolderWithoutLogs& folder, Language language) {
  return displayPath(folder.folder) + ": " + folderReason(folder, language) + "\n";
}

// The logs converted at once: as many as asked for, where their files fit within the open-file
// limit. Every log's conversion holds as many files as the first's.
std::size_t jobsFor(const BatchOptions& options, ByteSink* standardOutput) {
  if (options.logs.empty()) return 1;
  const ConversionRequest request = requestFor(options, options.logs.front(), standardOutput);
  return jobsWithinFileLimit(options.jobs, filesHeldOpen(request));
}

// Converts the logs and hands each outcome to `report` in input order.
template <typename Report>
void convertAll(const BatchOptions& options, ByteSink* standardOutput, Report report) {
  const std::vector<std::optional<fs::path>> takenOutputs = outputsTakenBefore(options);
  convertInOrder(
      options.logs.size(), jobsFor(options, standardOutput),
      [&](std::size_t i) {
        return convertOne(options, options.logs[i], standardOutput, takenOutputs[i]);
      },
      report);
}

// Standard output may be a full disk: what could not be written there (a CSV, a logbook, the names
// of the files written) must not end as a success. A reader that has gone is no failure.
bool flushStandardOutput(StreamSink& standardOutput, Language language, std::ostream& err) {
  try {
    standardOutput.flush();
    return true;
  } catch (const TelemetryLogException& e) {
    if (readerClosed(e)) return true;
    err << "standard output: " << message(e.messageId(), language) << '\n';
    return false;
  }
}

}  // namespace

bool runBatch(const BatchOptions& options, std::ostream& out, std::ostream& err) {
  std::ostream& messages =
      writesToStandardOutput(options) || logbookToStandardOutput(options) ? err : out;
  if (const std::optional<std::string> refusal = logbookRefusal(options)) {
    err << *refusal;
    return false;
  }

  bool allConverted = options.foldersWithoutLogs.empty();
  // Each folder's note goes before the report of the first log named after it.
  auto folder = options.foldersWithoutLogs.begin();
  CardPage page(options);
  const auto noteFoldersBeforeLog = [&](std::size_t log) {
    for (; folder != options.foldersWithoutLogs.end() && folder->logsBefore <= log; ++folder) {
      err << folderNote(*folder, options.language);
      page.addFailed(folder->folder, folderReason(*folder, options.language));
    }
  };
  StreamSink standardOutput(out);
  std::string logbookRows;
  std::size_t reported = 0;
  convertAll(options, &standardOutput, [&](const LogOutcome& outcome) {
    const fs::path& log = options.logs[reported];
    noteFoldersBeforeLog(reported++);
    if (outcome.result) page.addConverted(log, *outcome.result);
    if (!outcome.converted) page.addFailed(log, outcome.failure);
    messages << outcome.messages << std::flush;
    err << outcome.errors << std::flush;
    allConverted = outcome.converted && allConverted;
    logbookRows += outcome.logbookRow;
  });
  noteFoldersBeforeLog(options.logs.size());
  if (!options.logbook.empty()) {
    allConverted =
        writeLogbook(options, logbookRows, standardOutput, messages, err) && allConverted;
  }
  if (!options.logbookPage.empty()) allConverted = page.write(messages, err) && allConverted;
  return flushStandardOutput(standardOutput, options.language, err) && allConverted;
}

}  // namespace trelvox
