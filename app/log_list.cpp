#include "app/log_list.h"

#include <algorithm>
#include <set>
#include <utility>

#include "conversion/log_files.h"
#include "conversion/output_files.h"
#include "conversion/path_text.h"
#include "values/ascii_case.h"

namespace trelvox {
namespace fs = std::filesystem;
namespace {

bool isDataFile(const fs::directory_entry& entry) {
  std::error_code error;
  return equalIgnoringAsciiCase(entry.path().extension().u8string(), u8".KLD") &&
         entry.is_regular_file(error);
}

// Adds the data files in `folder` to `logs`, with `recursive` also those in its subfolders (not
// following links to folders, which could lead round in a circle). A folder that cannot be read is
// added to `unreadable` with the system's reason, and the search goes on with the others.
void addDataFilesIn(const fs::path& folder, bool recursive, std::vector<fs::path>& logs,
                    std::vector<FolderWithoutLogs>& unreadable) {
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::error_code ignored;
    if (isDataFile(*it)) {
      logs.push_back(it->path());
    } else if (recursive && fs::is_directory(it->symlink_status(ignored))) {
      addDataFilesIn(it->path(), recursive, logs, unreadable);
    }
  }
  if (error) unreadable.push_back({folder, 0, error.message()});
}

// The data file a log stands for, spelled the same whatever name the log was given by.
fs::path dataFileOf(const fs::path& log) { return resolvedPath(logFilesOf(log).data); }

}  // namespace

NamedLogs logsNamedBy(const std::vector<std::string>& arguments, bool recursive) {
  NamedLogs named;
  std::set<fs::path> dataFiles;
  const auto add = [&](const fs::path& log) {
    if (dataFiles.insert(dataFileOf(log)).second) named.logs.push_back(log);
  };
  for (const std::string& argument : arguments) {
    const fs::path path = pathFromUtf8(argument);
    std::error_code error;
    if (!fs::is_directory(path, error)) {
      add(path);
      continue;
    }
    std::vector<fs::path> found;
    std::vector<FolderWithoutLogs> unreadable;
    addDataFilesIn(path, recursive, found, unreadable);
    std::sort(found.begin(), found.end());
    for (FolderWithoutLogs& folder : unreadable) {
      folder.logsBefore = named.logs.size();
      named.foldersWithoutLogs.push_back(std::move(folder));
    }
    // A folder that could not be read says so itself.
    if (found.empty() && unreadable.empty()) {
      named.foldersWithoutLogs.push_back({path, named.logs.size(), {}});
    }
    for (const fs::path& log : found) add(log);
  }
  return named;
}

}  // namespace trelvox
