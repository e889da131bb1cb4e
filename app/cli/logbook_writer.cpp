#include "app/cli/logbook_writer.h"

#include <filesystem>
#include <system_error>

#include "app/cli/cli_texts.h"
#include "app/cli/failure_text.h"
#include "app/cli/request_builder.h"
#include "conversion/log_files.h"
#include "conversion/output_files.h"
#include "conversion/path_text.h"
#include "outputs/logbook/logbook.h"

namespace trelvox {
namespace fs = std::filesystem;
namespace {

// Why the logbook cannot be written where it is asked for, if it cannot: its folder is missing,
// or it names a folder, or it would replace one of the logs it lists (--force or not), or a file
// the same call writes, which it would then report as written although only one of the two is left.
std::optional<std::string> logbookClash(const BatchOptions& options, const fs::path& logbook) {
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

}  // namespace

std::optional<std::string> logbookRefusal(const BatchOptions& options) {
  for (const std::string& name : {options.logbook, options.logbookPage}) {
    if (name.empty() || name == kStandardOutput) continue;
    const fs::path file = pathFromUtf8(name);
    std::error_code error;
    if (!options.force && fs::exists(file, error)) {
      return failureText(file, TelemetryLogException(MessageId::kOutputExists, name),
                         options.language);
    }
    if (const auto clash = logbookClash(options, file)) {
      return failureText(file, TelemetryLogException(MessageId::kCannotCreateOutput, *clash),
                         options.language);
    }
  }
  return std::nullopt;
}

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

}  // namespace trelvox
