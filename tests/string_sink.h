#pragma once

#include <span>
#include <string>

#include "outputs/text/byte_sink.h"

namespace trelvox {

// Keeps every byte it is given, so a test can compare what an output wrote.
class StringSink final : public ByteSink {
 public:
  void write(std::span<const char> bytes) override { text.append(bytes.data(), bytes.size()); }
  std::string text;
};

}  // namespace trelvox
