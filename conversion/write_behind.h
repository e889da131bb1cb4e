#pragma once

// Writes another sink's bytes on a thread of its own, so that the conversion's thread goes on
// decoding while the system copies a side file (a GPX track is almost half the CSV's size) and
// allocates its blocks. Bytes are gathered into a block and handed over two blocks deep, so the
// memory stays the same whatever the log's length. A last step, such as storing the file's last
// bytes, runs on that thread once every byte is written.
//
// A failure on the thread is thrown on the conversion's thread, by the next write or by wait;
// nothing is written after it.

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

#include "outputs/byte_sink.h"

namespace trelvox {

class WriteBehind final : public ByteSink {
 public:
  explicit WriteBehind(ByteSink& target);
  // Stops the thread once its current block is written; what was not written yet is dropped.
  ~WriteBehind() override;
  WriteBehind(const WriteBehind&) = delete;
  WriteBehind& operator=(const WriteBehind&) = delete;

  void write(std::span<const char> bytes) override;
  // Hands over the bytes gathered so far and has the thread run `last` once every one of them is
  // written. Called once; write is not called after it.
  void finish(std::function<void()> last);
  // Waits until `last` has run; throws the thread's failure if there was one.
  void wait();

 private:
  static constexpr std::size_t kBlockSize = 1024 * 1024;

  void handOver(std::unique_lock<std::mutex>& lock);
  void work();

  ByteSink& target_;
  std::vector<char> gathering_;
  std::vector<char> handed_;
  bool blockHanded_ = false;
  std::function<void()> last_;
  bool finishing_ = false;
  bool finished_ = false;
  bool stopping_ = false;
  std::exception_ptr failure_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::thread thread_;
};

}  // namespace trelvox
