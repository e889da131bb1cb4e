#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "outputs/text/block_writer.h"
#include "values/tracked_reading.h"

namespace trelvox {

// Coordinates are written with this many decimals of a degree: finer than the 1/600000 degree the
// sensors send.
inline constexpr int kCoordinateDecimals = 7;

// XML text handed to a sink in blocks, so that a track of any length streams to its file. Names
// taken from the file system go through `escaped`; numbers never depend on the locale. A point of
// a track is laid down in one piece: room(kMaxRoom), the write functions below, then advance().
class XmlWriter : private BlockWriter {
 public:
  explicit XmlWriter(ByteSink& sink) : BlockWriter(sink) {}

  XmlWriter& raw(std::string_view text) {
    append(text);
    return *this;
  }
  // Text with & < > " ' as entities, control characters (which XML 1.0 forbids) as '?' and bytes
  // that are not UTF-8 as U+FFFD.
  XmlWriter& escaped(std::string_view text);
  using BlockWriter::advance;
  using BlockWriter::flush;
  using BlockWriter::room;

  // The most a point of a track takes.
  static constexpr std::size_t kMaxRoom = 1024;
};

// Each writes at `out` and returns the end. Inline, so that the length of a literal is known.
inline char* writeText(char* out, std::string_view text) {
  std::memcpy(out, text.data(), text.size());
  return out + text.size();
}
// A coordinate in 1/600000 degree as signed decimal degrees with kCoordinateDecimals decimals,
// rounded; '.' whatever the locale.
char* writeCoordinate(char* out, std::int32_t units);
// A reading with all the decimals of its scale and '.'; "0" for none.
char* writeReading(char* out, const Reading& reading);

}  // namespace trelvox
