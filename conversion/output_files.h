#pragma once

// The files a conversion writes. Each is written under a temporary, hidden name beside its final
// name and renamed into place once complete, so that a conversion that fails (or is stopped)
// leaves no half-written file behind, nor a wrong one in place of an older, complete file.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <span>

#include "outputs/text/byte_sink.h"
#include "outputs/text/byte_spill.h"

namespace trelvox {

// `path` made absolute, with the links, "." and ".." of the part that exists resolved; where that
// fails, `path` with only "." and ".." resolved.
std::filesystem::path resolvedPath(const std::filesystem::path& path);

// Whether two paths name the same file, existing or yet to be written: the same existing file, or
// the same resolved path.
bool isSameOutput(const std::filesystem::path& a, const std::filesystem::path& b);

// Removes every file this process has begun under a temporary name (OutputFile, ScratchFile) and
// not yet named or removed, for a shell that ends the process on a signal such as Ctrl+C. No such
// file is begun from the start of this call: a thread that would begin one waits until the process
// has ended. `closeFiles`, where the system removes no open file (Windows), closes every file of
// the process; it runs once no file can be begun any more, before the first is removed.
void removeUnfinishedFiles(void (*closeFiles)() = nullptr);

// A file created (or truncated) for writing in binary mode; any failure to write or close throws
// TelemetryLogException (106) naming `shownAs` with the system's reason.
class FileSink final : public ByteSink {
 public:
  // Returns false when the file cannot be created (errno says why). `shownAs`: the name failures
  // give, where the user knows the file by another (the final name of a temporary file).
  bool open(const std::filesystem::path& path, const std::filesystem::path& shownAs = {});
  void write(std::span<const char> bytes) override;
  // Closes the file, throwing if the last bytes could not be stored.
  void close();
  ~FileSink() override;

 private:
  std::FILE* file_ = nullptr;
  std::filesystem::path shownAs_;
};

// What to do when an output file exists already.
enum class ExistingOutput { kReplace, kRefuse };

// An output file written under a temporary name in its own folder and renamed into place by
// commit. A path naming something other than a regular file, such as /dev/null, is written
// directly. A symbolic link stays: the file it leads to is written, its temporary file beside that
// one. Failures throw TelemetryLogException: 201 for an existing file that must not be
// replaced, 106 (with the path) for a file that cannot be created or stored.
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
  std::filesystem::path target_;  // the file path_ leads to, through any symbolic links
  std::filesystem::path temporary_;
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
