#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace trelvox {

// A folder that gave no log: one among the arguments without any, or one that could not be read.
// `logsBefore` is how many logs the arguments before it named: its note goes where it stands among
// the logs' reports.
struct FolderWithoutLogs {
  std::filesystem::path folder;
  std::size_t logsBefore;
  // The system's reason when the folder could not be read; empty for a folder without logs.
  std::string readFailure;
};

struct NamedLogs {
  // In the arguments' order, each log once however often and by whatever name it comes:
  // "a.KLD", "./a.KLD", "a.KLI" and a folder holding it are one log, converted once.
  std::vector<std::filesystem::path> logs;
  // The folders among the arguments that gave no log, and the folders that could not be read.
  std::vector<FolderWithoutLogs> foldersWithoutLogs;
};

// The data files the arguments name: a file as it is, a folder as every .KLD in it (any case of
// the extension, sorted by name), with `recursive` also those in its subfolders. A folder that
// cannot be read is noted, and the others are still searched.
NamedLogs logsNamedBy(const std::vector<std::string>& arguments, bool recursive);

}  // namespace trelvox
