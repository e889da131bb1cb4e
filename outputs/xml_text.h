#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#include "outputs/byte_sink.h"
#include "values/tracked_reading.h"

namespace trelvox {

// Coordinates are written with this many decimals of a degree: finer than the 1/600000 degree the
// sensors send.
inline constexpr int kCoordinateDecimals = 7;

// XML text handed to a sink in blocks, so that a track of any length streams to its file. Names
// taken from the file system go through `escaped`; numbers never depend on the locale. A point of
// a track is laid down in one piece: room(), the write functions below, then advance().
class XmlWriter {
 public:
  explicit XmlWriter(ByteSink& sink);

  XmlWriter& raw(std::string_view text);
  // Text with & < > " ' as entities and control characters (which XML 1.0 forbids) as '?'.
  XmlWriter& escaped(std::string_view text);
  // At least `size` (at most kMaxRoom) bytes to write into; advance(end) keeps what was written.
  char* room(std::size_t size);
  void advance(char* end) { used_ = static_cast<std::size_t>(end - block_.get()); }
  // Hands everything written so far to the sink.
  void flush();

  static constexpr std::size_t kMaxRoom = 1024;

 private:
  static constexpr std::size_t kBlockSize = 64 * 1024;

  ByteSink& sink_;
  std::unique_ptr<char[]> block_;
  std::size_t used_ = 0;
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
