#pragma once

#include <string>
#include <string_view>

#include "outputs/byte_sink.h"

namespace trelvox {

// XML text handed to a sink in blocks, so that a track of any length streams to its file. Names
// taken from the file system go through `escaped`; numbers never depend on the locale.
class XmlWriter {
 public:
  explicit XmlWriter(ByteSink& sink) : sink_(sink) {}

  XmlWriter& raw(std::string_view text);
  // Text with & < > " ' as entities and control characters (which XML 1.0 forbids) as '?'.
  XmlWriter& escaped(std::string_view text);
  // A number with exactly `decimals` decimals and '.' as the decimal point.
  XmlWriter& number(double value, int decimals);
  // Hands everything written so far to the sink.
  void flush();

 private:
  static constexpr std::size_t kBlockSize = 64 * 1024;

  ByteSink& sink_;
  std::string buffer_;
};

}  // namespace trelvox
