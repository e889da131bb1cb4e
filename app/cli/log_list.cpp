#include "app/cli/log_list.h"

#include <algorithm>

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

}  // namespace

std::vector<fs::path> logsNamedBy(const std::vector<std::string>& arguments, bool recursive) {
  std::vector<fs::path> logs;
  for (const std::string& argument : arguments) {
    const fs::path path = pathFromUtf8(argument);
    std::error_code error;
    if (!fs::is_directory(path, error)) {
      logs.push_back(path);
      continue;
    }
    const auto found = recursive ? dataFilesIn(fs::recursive_directory_iterator(path, error))
                                 : dataFilesIn(fs::directory_iterator(path, error));
    logs.insert(logs.end(), found.begin(), found.end());
  }
  return logs;
}

}  // namespace trelvox
