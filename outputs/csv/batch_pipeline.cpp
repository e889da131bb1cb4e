#include "outputs/csv/batch_pipeline.h"

namespace trelvox {

BatchPipeline::BatchPipeline(Format format, Write write, unsigned workers)
    : format_(std::move(format)), write_(std::move(write)) {
  for (unsigned i = 0; i < workers; ++i) workers_.emplace_back([this] { work(); });
}

BatchPipeline::~BatchPipeline() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  for (std::thread& worker : workers_) worker.join();
}

RecordBatch& BatchPipeline::nextToFill() {
  std::unique_lock lock(mutex_);
  // The ring is in record order: the batch to fill next is the oldest one not yet written.
  while (states_[filled_ % kBatches] != State::kFree) advance(lock);
  RecordBatch& batch = batches_[filled_ % kBatches];
  batch.clear();
  return batch;
}

void BatchPipeline::submit() {
  const std::size_t index = filled_ % kBatches;
  {
    const std::lock_guard lock(mutex_);
    states_[index] = State::kQueued;
    ++filled_;
  }
  changed_.notify_all();
}

void BatchPipeline::finish() {
  std::unique_lock lock(mutex_);
  while (written_ < filled_) advance(lock);
  throwIfFailed();
}

// Rather than wait idle, the conversion's thread formats or writes whatever is due itself: when
// formatting is the slower side, both cores then share it.
void BatchPipeline::advance(std::unique_lock<std::mutex>& lock) {
  throwIfFailed();
  if (claimed_ < filled_) {
    formatNext(lock);
  } else if (!writeReady(lock)) {
    changed_.wait(lock);
  }
}

void BatchPipeline::formatNext(std::unique_lock<std::mutex>& lock) {
  const std::size_t index = claimed_++ % kBatches;
  states_[index] = State::kFormatting;
  lock.unlock();
  format_(batches_[index]);
  lock.lock();
  states_[index] = State::kFormatted;
  changed_.notify_all();
  writeReady(lock);
}

// Writes the formatted batches that are next in record order, unless another thread is writing.
// Written without the lock, so the other threads go on meanwhile. A failing write is kept for the
// conversion's thread, which throws it; nothing is written after it.
bool BatchPipeline::writeReady(std::unique_lock<std::mutex>& lock) {
  bool wrote = false;
  while (!writing_ && !failure_ && written_ < filled_ &&
         states_[written_ % kBatches] == State::kFormatted) {
    const std::size_t index = written_ % kBatches;
    writing_ = true;
    lock.unlock();
    std::exception_ptr failure;
    try {
      write_({batches_[index].text.data(), batches_[index].textSize});
    } catch (...) {
      failure = std::current_exception();
    }
    lock.lock();
    writing_ = false;
    if (failure) {
      failure_ = failure;
    } else {
      states_[index] = State::kFree;
      ++written_;
      wrote = true;
    }
    changed_.notify_all();
  }
  return wrote;
}

void BatchPipeline::throwIfFailed() const {
  if (failure_) std::rethrow_exception(failure_);
}

void BatchPipeline::work() {
  std::unique_lock lock(mutex_);
  while (true) {
    changed_.wait(lock, [&] { return stopping_ || (claimed_ < filled_ && !failure_); });
    if (stopping_) return;
    formatNext(lock);
  }
}

}  // namespace trelvox
