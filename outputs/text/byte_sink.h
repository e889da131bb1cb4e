#pragma once

#include <span>

namespace trelvox {

// Where an output's finished blocks of bytes go. write either takes all the bytes or throws.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual void write(std::span<const char> bytes) = 0;
};

}  // namespace trelvox
