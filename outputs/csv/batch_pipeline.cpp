#include "outputs/csv/batch_pipeline.h"

namespace trelvox {

BatchPipeline::BatchPipeline(Format format, Write write, bool formatterThread)
    : format_(std::move(format)), write_(std::move(write)) {
  if (formatterThread) formatter_ = std::thread([this] { work(); });
}

BatchPipeline::~BatchPipeline() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  if (formatter_.joinable()) formatter_.join();
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
}

// Rather than wait idle, the conversion's thread formats whatever no formatter has taken: when
// formatting is the slower side, both cores then share it.
void BatchPipeline::advance(std::unique_lock<std::mutex>& lock) {
  throwIfFailed();
  if (writeReady(lock)) return;
  if (claimed_ < filled_) {
    formatNext(lock);
  } else {
    changed_.wait(lock);
  }
}

void BatchPipeline::formatNext(std::unique_lock<std::mutex>& lock) {
  const std::size_t index = claimed_++ % kBatches;
  states_[index] = State::kFormatting;
  lock.unlock();
  try {
    format_(batches_[index]);
  } catch (...) {
    lock.lock();
    failure_ = std::current_exception();
    changed_.notify_all();
    return;
  }
  lock.lock();
  states_[index] = State::kFormatted;
  changed_.notify_all();
}

// Called on the conversion's thread only. Written without the lock, so a formatter goes on
// meanwhile; a failing write goes straight on to the caller.
bool BatchPipeline::writeReady(std::unique_lock<std::mutex>& lock) {
  bool wrote = false;
  while (written_ < filled_ && states_[written_ % kBatches] == State::kFormatted) {
    const std::size_t index = written_ % kBatches;
    lock.unlock();
    write_({batches_[index].text.data(), batches_[index].textSize});
    lock.lock();
    states_[index] = State::kFree;
    ++written_;
    wrote = true;
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
