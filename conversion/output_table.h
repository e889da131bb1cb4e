#pragma once

// The outputs a conversion can write, one row each, as the registry of types holds the decoders.
// A row is the only place an output's facts live; the request's paths, the command line's options,
// whether the limits file is read and how many files a conversion holds open all come from the
// rows. A new output is a file pair in outputs/, a row here, its test and its docs.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "outputs/log_output.h"

namespace trelvox {

class OutputParts;

enum class OutputFormat : std::uint8_t { kCsv, kJson, kGpx, kKml, kHtml, kCount };

inline constexpr std::size_t kOutputFormats = static_cast<std::size_t>(OutputFormat::kCount);

constexpr std::size_t indexOf(OutputFormat format) { return static_cast<std::size_t>(format); }

// The outputs that others read, made once per conversion however many outputs read them. The
// health check watches the track's sensor, so it brings the track along.
struct SharedSources {
  bool summary = false;
  bool track = false;
  bool health = false;
};

struct OutputRow {
  OutputFormat format;
  // Of the file a shell puts beside the log.
  std::string_view extension;
  // What messages and the page's links call the file.
  std::string_view name;
  // The command line's flag that asks for the file, and its help; none for the CSV, which is
  // written unless --no-csv says otherwise.
  std::string_view option{};
  std::string_view help{};
  SharedSources reads{};
  // Spills the output keeps in files of their own while the log is read.
  std::size_t scratchFiles = 0;
  std::unique_ptr<LogOutput> (*make)(const OutputParts& parts);
};

extern const std::array<OutputRow, kOutputFormats> kOutputTable;

const OutputRow& outputRow(OutputFormat format);

}  // namespace trelvox
