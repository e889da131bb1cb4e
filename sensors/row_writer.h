#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "sensors/separators.h"

namespace trelvox {

// Where finished blocks of CSV text go. write either takes all the bytes or throws.
class OutputSink {
 public:
  virtual ~OutputSink() = default;
  virtual void write(std::span<const char> bytes) = 0;
};

// Builds CSV rows in a large buffer of its own and hands full blocks to the sink, so that rows cost
// no system call or flush each. Every field is followed by the list separator; rows end in CR LF.
class RowWriter {
 public:
  static constexpr std::size_t kBlockSize = 1 << 16;

  RowWriter(OutputSink& sink, Separators separators);
  RowWriter(const RowWriter&) = delete;
  RowWriter& operator=(const RowWriter&) = delete;

  const Separators& separators() const { return separators_; }

  void text(std::string_view s) {
    if (buffer_.size() + s.size() > kBlockSize) flush();
    buffer_.insert(buffer_.end(), s.begin(), s.end());
  }
  void character(char c) {
    if (buffer_.size() == kBlockSize) flush();
    buffer_.push_back(c);
  }
  void number(std::uint32_t n);
  void separator() { character(separators_.list); }

  void field(std::string_view s) {
    text(s);
    separator();
  }
  void field(std::uint32_t n) {
    number(n);
    separator();
  }
  void endRow() { text("\r\n"); }

  // Hands everything buffered to the sink.
  void flush();

 private:
  OutputSink& sink_;
  Separators separators_;
  std::vector<char> buffer_;
};

}  // namespace trelvox
