#pragma once

// A log's two files: found by the name a user gives (the data file, the information file or the
// base path, in any case of the extension) and read.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "conversion/byte_source.h"

namespace trelvox {

// The path of a log without the extension of its file name: "logs/flight01.KLD" gives
// "logs/flight01", "my.logs/flight" stays as it is.
std::filesystem::path basePathOf(const std::filesystem::path& chosen);

// The file `base` + `extension` (".KLI" or ".KLD"). Where that name does not exist, a file in the
// same folder whose name differs only in the case of the extension is taken instead, since logs
// copied from memory cards often read "flight.kld".
std::filesystem::path companionFile(const std::filesystem::path& base,
                                    const std::filesystem::path& extension);

// The two files of a log, as found (whether or not they exist).
struct LogFiles {
  std::filesystem::path data;
  std::filesystem::path info;
};

// The files of the log that `log` names: by its data file, its information file (any case of the
// extension) or its base path. A file named that exists is taken as it is, and its companion is
// looked for first with the extension in the same case ("x.kld" goes with "x.kli", not "x.KLI"):
// a folder may hold both "x.KLD" and "x.kld", two different logs. A name whose extension is no
// log's ("flight.2024.05") is the base path when a file of the log is found under it.
LogFiles logFilesOf(const std::filesystem::path& log);

// Whether two paths name the same existing file (not merely the same spelling).
bool isSameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// Whether `file` is the data or information file of the log that `log` names (see logFilesOf).
bool isOneOfTheLogsFiles(const std::filesystem::path& file, const std::filesystem::path& log);

// A file opened read-only; a read failure of the device throws TelemetryLogException (105).
class FileSource final : public ByteSource {
 public:
  // Returns false when the file cannot be opened for reading.
  bool open(const std::filesystem::path& path);
  std::size_t read(std::span<std::uint8_t> into) override;
  void close();
  ~FileSource() override { close(); }

 private:
  std::FILE* file_ = nullptr;
  std::filesystem::path path_;
};

}  // namespace trelvox
