#pragma once

// Writes another sink's bytes on a thread of its own, so that the conversion's thread goes on
// decoding while the system copies a side file (a GPX track is almost half the CSV's size) and
// allocates its blocks. Bytes are gathered into blocks of 256 KiB and handed over in order; the
// conversion's thread waits only when the writing thread is four blocks behind, so the memory
// stays the same whatever the log's length. A failure to write is thrown by a later write or by
// finish; nothing is written after it.

#include <array>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

#include "outputs/byte_sink.h"

namespace trelvox {

class WriteBehind final : public ByteSink {
 public:
  explicit WriteBehind(ByteSink& target);
  // Stops the thread once its current block is written; blocks not written yet are dropped.
  ~WriteBehind() override;
  WriteBehind(const WriteBehind&) = delete;
  WriteBehind& operator=(const WriteBehind&) = delete;

  void write(std::span<const char> bytes) override;
  // Hands over what is gathered and waits until every byte is written.
  void finish();

 private:
  static constexpr std::size_t kBlockSize = 256 * 1024;
  static constexpr std::size_t kBlocks = 4;

  std::vector<char>& gathering() { return blocks_[handed_ % kBlocks]; }
  void handOver();
  void throwIfFailed() const;
  void writeBlocks();

  ByteSink& target_;
  std::array<std::vector<char>, kBlocks> blocks_;
  std::size_t handed_ = 0;   // blocks handed to the thread so far
  std::size_t written_ = 0;  // blocks the thread has written
  bool stopping_ = false;
  std::exception_ptr failure_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::thread thread_;  // last: it starts once every other member is ready
};

}  // namespace trelvox
