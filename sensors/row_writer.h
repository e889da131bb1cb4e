#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "sensors/separators.h"
#include "sensors/value_text.h"

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
    reserve(s.size());
    append(s);
  }
  void character(char c) {
    reserve(1);
    buffer_[size_++] = c;
  }
  void number(std::uint32_t n);
  void separator() { character(separators_.list); }

  void field(std::string_view s) {
    reserve(s.size() + 1);
    append(s);
    buffer_[size_++] = separators_.list;
  }
  void field(std::uint32_t n) {
    number(n);
    separator();
  }
  void endRow() { text("\r\n"); }

  // Writes a field whose text `write` puts into the ValueText it is given, directly in the block.
  template <typename Write>
  void textField(Write&& write) {
    reserve(ValueText::kCapacity + 1);
    ValueText text(buffer_.get() + size_);
    write(text);
    size_ += text.size();
    buffer_[size_++] = separators_.list;
  }

  // Hands everything buffered to the sink.
  void flush();

 private:
  // Makes room for `count` more bytes, handing the buffered block to the sink when it is full.
  void reserve(std::size_t count) {
    if (size_ + count > kBlockSize) flush();
  }
  // Texts longer than a block never occur in rows; they go straight to the sink all the same.
  void append(std::string_view s) {
    if (s.size() > kBlockSize) return sink_.write(s);
    copyShort(s.data(), s.size(), buffer_.get() + size_);
    size_ += s.size();
  }

  OutputSink& sink_;
  Separators separators_;
  std::unique_ptr<char[]> buffer_;
  std::size_t size_ = 0;
};

}  // namespace trelvox
