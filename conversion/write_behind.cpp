#include "conversion/write_behind.h"

#include <algorithm>

namespace trelvox {

WriteBehind::WriteBehind(ByteSink& target) : target_(target), thread_([this] { writeBlocks(); }) {}

WriteBehind::~WriteBehind() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void WriteBehind::write(std::span<const char> bytes) {
  while (!bytes.empty()) {
    std::vector<char>& block = gathering();
    if (block.capacity() < kBlockSize) block.reserve(kBlockSize);
    const std::size_t taken = std::min(bytes.size(), kBlockSize - block.size());
    block.insert(block.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(taken));
    bytes = bytes.subspan(taken);
    if (block.size() == kBlockSize) handOver();
  }
}

void WriteBehind::finish() {
  if (!gathering().empty()) handOver();
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return written_ == handed_ || failure_; });
  throwIfFailed();
}

// The next block to gather into is the oldest, once the thread has written (and emptied) it.
void WriteBehind::handOver() {
  std::unique_lock lock(mutex_);
  ++handed_;
  changed_.notify_all();
  changed_.wait(lock, [&] { return handed_ - written_ < kBlocks || failure_; });
  throwIfFailed();
}

void WriteBehind::throwIfFailed() const {
  if (failure_) std::rethrow_exception(failure_);
}

void WriteBehind::writeBlocks() {
  std::unique_lock lock(mutex_);
  while (true) {
    changed_.wait(lock, [&] { return stopping_ || written_ < handed_; });
    if (stopping_) return;
    std::vector<char>& block = blocks_[written_ % kBlocks];
    lock.unlock();
    std::exception_ptr failure;
    try {
      target_.write(block);
      block.clear();
    } catch (...) {
      failure = std::current_exception();
    }
    lock.lock();
    failure_ = failure;
    ++written_;
    changed_.notify_all();
    if (failure) return;
  }
}

}  // namespace trelvox
