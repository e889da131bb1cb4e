#include "app/cli/batch.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <future>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <system_error>
#include <thread>

#ifdef _WIN32
#include <cstdio>
#else
#include <sys/resource.h>
#endif

#include "app/cli/card_page.h"
#include "app/cli/cli_texts.h"
#include "conversion/log_converter.h"
#include "conversion/log_files.h"
#include "conversion/output_files.h"
#include "conversion/path_text.h"
#include "conversion/telemetry_log_exception.h"
#include "outputs/summary/logbook.h"
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

// Standard output as the CSV's sink. A failed write says why, so that a reader that has had
// enough (`| head`) can be told from a full disk.
class StreamSink final : public ByteSink {
 public:
  explicit StreamSink(std::ostream& stream) : stream_(stream) {}
  void write(std::span<const char> bytes) override {
    errno = 0;
    if (!stream_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()))) fail();
  }
  void flush() {
    errno = 0;
    if (!stream_.flush()) fail();
  }

 private:
  [[noreturn]] void fail() {
    // Once the reader has gone, the stream fails every later write without asking the system.
    if (errno == EPIPE) readerGone_ = true;
    throw TelemetryLogException(
        MessageId::kCannotCreateOutput, "standard output",
        readerGone_ ? std::make_error_code(std::errc::broken_pipe) : lastSystemError());
  }

  std::ostream& stream_;
  bool readerGone_ = false;
};

// The reader of standard output closed it: what it wanted it has, as with any tool in a pipe, so
// the output stops quietly. Files are written under temporary names, never into a pipe, so only
// standard output fails this way; the core has dropped the log's unfinished files as for any
// failure.
bool readerClosed(const TelemetryLogException& e) { return e.reason() == std::errc::broken_pipe; }

bool writesToStandardOutput(const BatchOptions& options) {
  return options.output == kStandardOutput;
}

bool logbookToStandardOutput(const BatchOptions& options) {
  return options.logbook == kStandardOutput;
}

fs::path withExtension(fs::path base, std::string_view extension) {
  return base += fs::path(extension);
}

ConversionRequest requestFor(const BatchOptions& options, const fs::path& log,
                             ByteSink* standardOutput) {
  ConversionRequest request;
  // After the data file: "x.kld" gives x.csv, "flight.2024.05" gives flight.2024.05.csv.
  fs::path base = basePathOf(logFilesOf(log).data);
  if (writesToStandardOutput(options)) {
    request.csvStream = standardOutput;
  } else if (!options.noCsv) {
    request.csv =
        options.output.empty() ? withExtension(base, ".csv") : pathFromUtf8(options.output);
    base = basePathOf(*request.csv);  // side files go beside the CSV
  }
  for (const OutputFormat format : options.sideFiles) {
    const OutputRow& row = outputRow(format);
    request.*row.path = withExtension(base, row.extension);
  }
  request.pageLanguage = pageLanguageOf(options.language);
  request.unitsRow = options.unitsRow;
  request.flatCsv = options.flatCsv;
  request.summary = options.summary || !options.logbook.empty() || !options.logbookPage.empty();
  if (!options.limits.empty()) request.limits = pathFromUtf8(options.limits);
  request.version = options.version;
  request.date = options.date;
  request.existing = options.force ? ExistingOutput::kReplace : ExistingOutput::kRefuse;
  return request;
}

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
    if (result.noPosition) {
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

// For each log, the first of its files that a log before it writes too, if any: "x.KLD" and "x.kld"
// are two logs on most file systems but both write x.csv, the second over the first. The first
// is converted, the second fails, whatever --force and -j say.
std::vector<std::optional<fs::path>> outputsTakenBefore(const BatchOptions& options) {
  std::vector<std::optional<fs::path>> taken;
  std::set<fs::path> written;
  for (const fs::path& log : options.logs) {
    const std::vector<fs::path> files = requestFor(options, log, nullptr).files();
    std::vector<fs::path> resolved;
    std::ranges::transform(files, std::back_inserter(resolved), resolvedPath);
    const auto before = std::ranges::find_if(
        resolved, [&](const fs::path& file) { return written.contains(file); });
    if (before == resolved.end()) {
      written.insert(resolved.begin(), resolved.end());
      taken.emplace_back();
    } else {
      taken.emplace_back(files[static_cast<std::size_t>(before - resolved.begin())]);
    }
  }
  return taken;
}

// The files one log's conversion may hold open at once: its data file, a folder searched for a
// companion file, and each output file; the KML's times and coordinates spill into two more.
std::size_t filesPerLog(const BatchOptions& options) {
  const bool csvFile = !options.noCsv && !writesToStandardOutput(options);
  return 2 + std::size_t{csvFile} + options.sideFiles.size() +
         2 * options.sideFiles.count(OutputFormat::kKml);
}

// How many files the process may have open, if the system limits it.
std::optional<std::size_t> openFileLimit() {
#ifdef _WIN32
  return static_cast<std::size_t>(_getmaxstdio());
#else
  rlimit limit{};
  if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(limit.rlim_cur);
#endif
}

// options.jobs, fewer where the logs' files would not all fit within the open-file limit (256 on
// macOS): past it, logs failed at random with a message that blamed their files.
std::size_t jobsWithinFileLimit(const BatchOptions& options) {
  // Standard streams, the logbook and what the system's libraries open.
  constexpr std::size_t kReservedFiles = 16;
  const std::optional<std::size_t> limit = openFileLimit();
  if (!limit) return options.jobs;
  const std::size_t room = *limit > kReservedFiles ? *limit - kReservedFiles : 0;
  return std::clamp<std::size_t>(room / filesPerLog(options), 1, options.jobs);
}

// Converts the logs on up to jobsWithinFileLimit threads, one log per thread at a time, and hands
// each outcome to `report` in input order as soon as it and those before it are done.
template <typename Report>
void convertAll(const BatchOptions& options, ByteSink* standardOutput, Report report) {
  const std::size_t count = options.logs.size();
  const std::vector<std::optional<fs::path>> takenOutputs = outputsTakenBefore(options);
  std::vector<std::promise<LogOutcome>> promises(count);
  std::vector<std::future<LogOutcome>> outcomes;
  for (auto& promise : promises) outcomes.push_back(promise.get_future());
  std::atomic<std::size_t> next{0};
  auto work = [&] {
    for (std::size_t i = next++; i < count; i = next++) {
      try {
        promises[i].set_value(
            convertOne(options, options.logs[i], standardOutput, takenOutputs[i]));
      } catch (...) {
        promises[i].set_exception(std::current_exception());
      }
    }
  };
  std::vector<std::jthread> workers;
  const std::size_t threads =
      std::clamp<std::size_t>(jobsWithinFileLimit(options), 1, std::max<std::size_t>(count, 1));
  try {
    for (std::size_t t = 0; t < threads; ++t) workers.emplace_back(work);
  } catch (const std::system_error&) {
    // The system gives no more threads: those started do the work, or else this one.
    if (workers.empty()) work();
  }
  for (auto& outcome : outcomes) report(outcome.get());
}

// Why the logbook cannot be written where it is asked for, if it cannot: its folder is missing,
// or it names a folder, or it would replace one of the logs it lists (--force or not), or a file
// the same call writes, which it would then report as written although only one of the two is left.
std::optional<std::string> logbookClash(const BatchOptions& options, const fs::path& logbook) {
  // Known before any log is converted rather than after all of them.
  std::error_code error;
  if ((logbook.has_parent_path() && !fs::is_directory(logbook.parent_path(), error)) ||
      fs::is_directory(logbook, error)) {
    return displayPath(logbook);
  }
  if (!options.logbook.empty() && !options.logbookPage.empty() &&
      isSameOutput(pathFromUtf8(options.logbook), pathFromUtf8(options.logbookPage))) {
    return displayPath(logbook) + " would be written twice";
  }
  for (const fs::path& log : options.logs) {
    if (isOneOfTheLogsFiles(logbook, log)) {
      return displayPath(logbook) + " is one of the log's own files";
    }
    for (const fs::path& file : requestFor(options, log, nullptr).files()) {
      if (isSameOutput(logbook, file)) return displayPath(logbook) + " would be written twice";
    }
  }
  return std::nullopt;
}

// Writes the logbook's rows to standard output, or under a temporary name and then gives it its
// name.
bool writeLogbook(const BatchOptions& options, const std::string& rows, StreamSink& out,
                  std::ostream& messages, std::ostream& err) {
  const fs::path path = pathFromUtf8(options.logbook);
  const std::string text = logbookHeader(options.separators) + rows;
  try {
    if (logbookToStandardOutput(options)) {
      out.write(text);
      return true;
    }
    OutputFile file;
    file.open(path, options.force ? ExistingOutput::kReplace : ExistingOutput::kRefuse);
    file.write(text);
    file.commit();
    messages << successMessage(displayPath(path.filename()), options.language) << '\n';
    return true;
  } catch (const TelemetryLogException& e) {
    if (readerClosed(e)) return true;
    err << failureText(path, e, options.language);
    return false;
  }
}

// Standard output may be a full disk: what could not be written there (a CSV, a logbook, the names
// of the files written) must not end as a success. A reader that has gone is no failure.
bool flushStandardOutput(StreamSink& standardOutput, Language language, std::ostream& err) {
  try {
    standardOutput.flush();
    return true;
  } catch (const TelemetryLogException& e) {
    if (readerClosed(e)) return true;
    err << "standard output: " << message(static_cast<int>(e.messageId()), language) << '\n';
    return false;
  }
}

}  // namespace

bool runBatch(const BatchOptions& options, std::ostream& out, std::ostream& err) {
  std::ostream& messages =
      writesToStandardOutput(options) || logbookToStandardOutput(options) ? err : out;
  for (const std::string& name : {options.logbook, options.logbookPage}) {
    if (name.empty() || name == kStandardOutput) continue;
    const fs::path file = pathFromUtf8(name);
    std::error_code error;
    if (!options.force && fs::exists(file, error)) {
      err << failureText(file, TelemetryLogException(MessageId::kOutputExists, name),
                         options.language);
      return false;
    }
    if (const auto clash = logbookClash(options, file)) {
      err << failureText(file, TelemetryLogException(MessageId::kCannotCreateOutput, *clash),
                         options.language);
      return false;
    }
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
