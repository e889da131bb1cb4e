#include "app/windows/drop_plan.h"

#include <set>
#include <string_view>

#include "app/log_list.h"
#include "conversion/log_files.h"
#include "conversion/path_text.h"
#include "values/ascii_case.h"

namespace trelvox {
namespace fs = std::filesystem;
namespace {

bool extensionIs(const fs::path& path, std::u8string_view wanted) {
  return equalIgnoringAsciiCase(path.extension().u8string(), wanted);
}

}  // namespace

bool isLogFile(const fs::path& path) {
  return extensionIs(path, u8".KLD") || extensionIs(path, u8".KLI");
}

fs::path droppedLogOutput(const fs::path& log) {
  fs::path output = basePathOf(log);
  output += ".csv";
  return output;
}

std::vector<ConversionOutcome> planDrop(std::span<const fs::path> dropped) {
  std::vector<ConversionOutcome> plan;
  std::set<fs::path> dataFiles;
  for (const fs::path& path : dropped) {
    std::error_code error;
    if (!isLogFile(path) && !fs::is_directory(path, error)) {
      plan.push_back({path, {}, MessageId::kNotALog});
      continue;
    }
    const NamedLogs named = logsNamedBy({displayPath(path)}, false);
    for (const FolderWithoutLogs& folder : named.foldersWithoutLogs) {
      plan.push_back({folder.folder, {}, MessageId::kNoLogInFolder, folder.readFailure});
    }
    for (const fs::path& log : named.logs) {
      if (dataFiles.insert(resolvedPath(logFilesOf(log).data)).second) {
        plan.push_back({log, droppedLogOutput(log), std::nullopt});
      }
    }
  }
  return plan;
}

}  // namespace trelvox
