#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <future>
#include <string>

#include "conversion/byte_source.h"
#include "outputs/byte_sink.h"
#include "outputs/byte_spill.h"

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

// `path` made absolute, with the links, "." and ".." of the part that exists resolved; where that
// fails, `path` with only "." and ".." resolved.
std::filesystem::path resolvedPath(const std::filesystem::path& path);

// Whether two paths name the same file, existing or yet to be written: the same existing file, or
// the same resolved path.
bool isSameOutput(const std::filesystem::path& a, const std::filesystem::path& b);

// Removes every file this process has begun under a temporary name (OutputFile, ScratchFile) and
// not yet named or removed, for a shell that ends the process on a signal such as Ctrl+C. No such
// file is begun afterwards: a thread that would begin one waits until the process has ended.
void removeUnfinishedFiles();

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
};

// A file created (or truncated) for writing in binary mode; any failure to write or close throws
// TelemetryLogException (106).
class FileSink final : public ByteSink {
 public:
  // Returns false when the file cannot be created. `writeBackAsWritten` hands the bytes to the
  // disk a mebibyte at a time as they are written, where the system allows, rather than leaving
  // it all for later.
  bool open(const std::filesystem::path& path, bool writeBackAsWritten = false);
  void write(std::span<const char> bytes) override;
  // Closes the file, throwing if the last bytes could not be stored.
  void close();
  ~FileSink() override;

 private:
  std::FILE* file_ = nullptr;
  bool writeBackAsWritten_ = false;
  std::uint64_t written_ = 0;
  std::uint64_t handedToDisk_ = 0;  // the bytes before this offset went to the disk already
  static constexpr std::uint64_t kWriteBackStep = 1 << 20;
};

// What to do when an output file exists already.
enum class ExistingOutput { kReplace, kRefuse };

// An output file written under a temporary name in its own folder and renamed into place by
// commit, so that a conversion that fails leaves no half-written file behind (nor a wrong one in
// place of an older, complete file). A path naming something other than a regular file, such as
// /dev/null, is written directly. Failures throw TelemetryLogException: 201 for an existing file
// that must not be replaced, 106 (with the path) for a file that cannot be created or stored.
class OutputFile final : public ByteSink {
 public:
  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile() override;

  void open(const std::filesystem::path& path, ExistingOutput existing);
  void write(std::span<const char> bytes) override;
  // Stores the last bytes under the temporary name; commit then only gives the file its name.
  void store();
  // Stores the last bytes and gives the file its name.
  void commit();
  // Drops whatever was written (nothing of it stays on disk).
  void discard();
  const std::filesystem::path& path() const { return path_; }

 private:
  FileSink file_;
  std::filesystem::path path_;
  std::filesystem::path temporary_;
  std::future<void> olderPagesDropped_;
  bool open_ = false;
};

// A spill in a hidden file beside an output, whose folder takes that output anyway (std::tmpfile
// makes its file in the drive's root on Windows, where users may not write): made on the first
// write, removed once moved or when this goes. Failures throw TelemetryLogException (106): with
// the output's path when the file cannot be made.
class ScratchFile final : public ByteSpill {
 public:
  ScratchFile() = default;
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;
  ~ScratchFile() override { remove(); }

  // The output the bytes are put aside for; drops what an earlier use left.
  void beside(const std::filesystem::path& output);
  void write(std::span<const char> bytes) override;
  void moveTo(ByteSink& sink) override;

 private:
  void remove();

  std::filesystem::path output_;
  std::filesystem::path path_;
  std::FILE* file_ = nullptr;
};

}  // namespace trelvox
