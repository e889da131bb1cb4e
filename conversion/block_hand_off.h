#pragma once

// Hands blocks of work to a thread of its own, in order, up to kDepth deep: the caller fills one
// block while the thread works through the ones before, and waits only when the thread is kDepth
// blocks behind. The memory is kDepth blocks, whatever the log's length.
//
// A failure on the thread is thrown on the caller's thread by the next handOver or by finish;
// the thread takes no block after it.

#include <array>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>

namespace trelvox {

template <typename Block, std::size_t kDepth = 4>
class BlockHandOff {
 public:
  using Work = std::function<void(Block&)>;

  // `work` runs on the thread, once per block handed over, in order.
  explicit BlockHandOff(Work work) : work_(std::move(work)), thread_([this] { run(); }) {}

  // Stops the thread once its current block is done; blocks not yet worked on are dropped.
  ~BlockHandOff() {
    {
      const std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
  }

  BlockHandOff(const BlockHandOff&) = delete;
  BlockHandOff& operator=(const BlockHandOff&) = delete;

  // The block the caller fills; the same one until handOver.
  Block& filling() { return blocks_[handed_ % kDepth]; }

  // Hands the filled block to the thread; waits only while every other block is still waiting for
  // it. The next block to fill is as the thread left it.
  void handOver() {
    std::unique_lock lock(mutex_);
    ++handed_;
    changed_.notify_all();
    changed_.wait(lock, [&] { return handed_ - done_ < kDepth || failure_; });
    if (failure_) std::rethrow_exception(failure_);
  }

  // Waits until every block handed over is done.
  void finish() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return done_ == handed_ || failure_; });
    if (failure_) std::rethrow_exception(failure_);
  }

 private:
  void run() {
    std::unique_lock lock(mutex_);
    while (true) {
      changed_.wait(lock, [&] { return stopping_ || done_ < handed_; });
      if (stopping_) return;
      Block& block = blocks_[done_ % kDepth];
      lock.unlock();
      std::exception_ptr failure;
      try {
        work_(block);
      } catch (...) {
        failure = std::current_exception();
      }
      lock.lock();
      failure_ = failure;
      ++done_;
      changed_.notify_all();
      if (failure) return;
    }
  }

  Work work_;
  std::array<Block, kDepth> blocks_{};
  std::size_t handed_ = 0;  // blocks handed over so far
  std::size_t done_ = 0;    // blocks the thread is done with
  bool stopping_ = false;
  std::exception_ptr failure_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::thread thread_;  // last: it starts once every other member is ready
};

}  // namespace trelvox
