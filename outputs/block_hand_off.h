#pragma once

// Hands blocks of work to a thread of its own, in order and two deep: the caller fills one block
// while the thread works through the one before. An output whose work per record can wait (writing
// a side file, gathering chart points) then takes little from the conversion's thread, which is
// the one every record passes through. The memory is two blocks, whatever the log's length.
//
// A failure on the thread is thrown on the caller's thread by the next handOver or by finish;
// the thread takes no block after it.

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>

namespace trelvox {

template <typename Block>
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
  Block& filling() { return filling_; }

  // Waits until the thread is done with the block before, then hands it the filled one and gives
  // the caller the other to fill (as the thread left it).
  void handOver() {
    std::unique_lock lock(mutex_);
    waitUntilIdle(lock);
    std::swap(filling_, handed_);
    blockHanded_ = true;
    changed_.notify_all();
  }

  // Waits until every block handed over is done.
  void finish() {
    std::unique_lock lock(mutex_);
    waitUntilIdle(lock);
  }

 private:
  void waitUntilIdle(std::unique_lock<std::mutex>& lock) {
    changed_.wait(lock, [&] { return !blockHanded_ || failure_; });
    if (failure_) std::rethrow_exception(failure_);
  }

  void run() {
    std::unique_lock lock(mutex_);
    while (true) {
      changed_.wait(lock, [&] { return stopping_ || blockHanded_; });
      if (stopping_) return;
      lock.unlock();
      std::exception_ptr failure;
      try {
        work_(handed_);
      } catch (...) {
        failure = std::current_exception();
      }
      lock.lock();
      failure_ = failure;
      blockHanded_ = false;
      changed_.notify_all();
      if (failure) return;
    }
  }

  Work work_;
  Block filling_{};
  Block handed_{};
  bool blockHanded_ = false;
  bool stopping_ = false;
  std::exception_ptr failure_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::thread thread_;  // last: it starts once every other member is ready
};

}  // namespace trelvox
