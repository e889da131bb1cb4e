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
  while (states_[filled_ % kBatches] != State::kFree) writeOldest(lock);
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
  while (written_ < filled_) writeOldest(lock);
}

void BatchPipeline::writeOldest(std::unique_lock<std::mutex>& lock) {
  const std::size_t index = written_ % kBatches;
  // Rather than wait idle, the conversion's thread formats a waiting batch itself: when formatting
  // is the slower side, both cores then share it.
  while (states_[index] != State::kFormatted) {
    if (claimed_ < filled_) {
      formatNext(lock);
    } else {
      changed_.wait(lock);
    }
  }
  // Written without the lock, so workers go on formatting meanwhile. A failing write leaves the
  // batch unwritten; the conversion stops with the error.
  lock.unlock();
  const RecordBatch& batch = batches_[index];
  write_({batch.text.data(), batch.textSize});
  lock.lock();
  states_[index] = State::kFree;
  ++written_;
}

void BatchPipeline::formatNext(std::unique_lock<std::mutex>& lock) {
  const std::size_t index = claimed_++ % kBatches;
  states_[index] = State::kFormatting;
  lock.unlock();
  format_(batches_[index]);
  lock.lock();
  states_[index] = State::kFormatted;
  changed_.notify_all();
}

void BatchPipeline::work() {
  std::unique_lock lock(mutex_);
  while (true) {
    changed_.wait(lock, [&] { return stopping_ || claimed_ < filled_; });
    if (stopping_) return;
    formatNext(lock);
  }
}

}  // namespace trelvox
