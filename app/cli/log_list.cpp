#include "app/cli/log_list.h"

#include <algorithm>
#include <set>

#include "conversion/log_files.h"
#include "conversion/path_text.h"

namespace trelvox {
namespace fs = std::filesystem;
namespace {

bool isDataFile(const fs::directory_entry& entry) {
  std::error_code error;
  std::string extension = displayPath(entry.path().extension());
  std::transform(extension.begin(), extension.end(), extension.begin(), [](char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  });
  return extension == ".KLD" && entry.is_regular_file(error);
}

template <typename Iterator>
std::vector<fs::path> dataFilesIn(Iterator entries) {
  std::vector<fs::path> logs;
  std::error_code error;
  for (auto it = entries; it != Iterator(); it.increment(error)) {
    if (error) break;
    if (isDataFile(*it)) logs.push_back(it->path());
  }
  std::sort(logs.begin(), logs.end());
  return logs;
}

// The data file a log stands for, spelled the same whatever name the log was given by.
fs::path dataFileOf(const fs::path& log) {
  return resolvedPath(companionFile(basePathOf(log), ".KLD"));
}

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
    const auto found = recursive ? dataFilesIn(fs::recursive_directory_iterator(path, error))
                                 : dataFilesIn(fs::directory_iterator(path, error));
    if (found.empty()) named.foldersWithoutLogs.push_back({path, named.logs.size()});
    for (const fs::path& log : found) add(log);
  }
  return named;
}

}  // namespace trelvox
