#include "conversion/write_behind.h"

#include <algorithm>

namespace trelvox {

WriteBehind::WriteBehind(ByteSink& target) : target_(target) {
  gathering_.reserve(kBlockSize);
  handed_.reserve(kBlockSize);
  thread_ = std::thread([this] { work(); });
}

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
    const std::size_t taken = std::min(bytes.size(), kBlockSize - gathering_.size());
    gathering_.insert(gathering_.end(), bytes.begin(), bytes.begin() + taken);
    bytes = bytes.subspan(taken);
    if (gathering_.size() == kBlockSize) {
      std::unique_lock lock(mutex_);
      handOver(lock);
    }
  }
}

void WriteBehind::finish(std::function<void()> last) {
  std::unique_lock lock(mutex_);
  if (!gathering_.empty()) handOver(lock);
  last_ = std::move(last);
  finishing_ = true;
  changed_.notify_all();
}

void WriteBehind::wait() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return finished_ || failure_; });
  if (failure_) std::rethrow_exception(failure_);
}

// Waits for the thread to take the block before, then swaps the gathered bytes in.
void WriteBehind::handOver(std::unique_lock<std::mutex>& lock) {
  changed_.wait(lock, [&] { return !blockHanded_ || failure_; });
  if (failure_) std::rethrow_exception(failure_);
  std::swap(gathering_, handed_);
  gathering_.clear();
  blockHanded_ = true;
  changed_.notify_all();
}

void WriteBehind::work() {
  std::unique_lock lock(mutex_);
  while (true) {
    changed_.wait(lock, [&] { return stopping_ || blockHanded_ || finishing_; });
    if (stopping_) return;
    try {
      if (blockHanded_) {
        lock.unlock();
        target_.write(handed_);
        lock.lock();
        blockHanded_ = false;
      } else {
        lock.unlock();
        if (last_) last_();
        lock.lock();
        finished_ = true;
        changed_.notify_all();
        return;
      }
    } catch (...) {
      lock.lock();
      failure_ = std::current_exception();
      changed_.notify_all();
      return;
    }
    changed_.notify_all();
  }
}

}  // namespace trelvox
