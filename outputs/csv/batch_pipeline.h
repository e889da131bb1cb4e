#pragma once

// Formats blocks of CSV rows on worker threads while the conversion's thread goes on decoding,
// and hands the finished text back in record order. The conversion's thread fills a batch with the
// values its rows show (a snapshot: decoders move on with the next record), submits it, and writes
// the batches that are done, oldest first. A fixed ring of batches bounds the memory whatever the
// log's length. The conversion's thread formats batches too while it would otherwise wait; with
// no worker thread it formats them all.

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

#include "values/column.h"

namespace trelvox {

// The values of a run of records, as a CSV row shows them, and their formatted text.
struct RecordBatch {
  std::size_t records = 0;
  std::vector<std::uint32_t> times;    // since the first record
  std::vector<std::int16_t> channels;  // sixteen per record
  std::vector<std::int64_t> readings;  // one per reading field per record
  std::vector<ColumnValue> texts;      // one per text field per record
  std::vector<char> text;              // the rows, once formatted
  std::size_t textSize = 0;

  void clear() {
    records = 0;
    times.clear();
    channels.clear();
    readings.clear();
    texts.clear();
    textSize = 0;
  }
};

class BatchPipeline {
 public:
  using Format = std::function<void(RecordBatch&)>;
  using Write = std::function<void(std::span<const char>)>;

  BatchPipeline(Format format, Write write, unsigned workers);
  ~BatchPipeline();
  BatchPipeline(const BatchPipeline&) = delete;
  BatchPipeline& operator=(const BatchPipeline&) = delete;

  // The batch to fill next, empty; first writes finished batches while none is free.
  RecordBatch& nextToFill();
  // Hands the batch from nextToFill to be formatted.
  void submit();
  // Writes every submitted batch, in order, once formatted.
  void finish();

 private:
  enum class State : std::uint8_t { kFree, kQueued, kFormatting, kFormatted };
  static constexpr std::size_t kBatches = 4;

  void work();
  // Waits for the oldest submitted batch to be formatted, formatting waiting batches meanwhile,
  // and writes it.
  void writeOldest(std::unique_lock<std::mutex>& lock);
  // Formats the oldest batch no thread has taken yet.
  void formatNext(std::unique_lock<std::mutex>& lock);

  Format format_;
  Write write_;
  std::vector<RecordBatch> batches_{kBatches};
  std::vector<State> states_ = std::vector<State>(kBatches, State::kFree);
  std::size_t filled_ = 0;   // batches submitted so far
  std::size_t written_ = 0;  // batches written so far
  std::size_t claimed_ = 0;  // batches a worker has taken so far
  bool stopping_ = false;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::thread> workers_;
};

}  // namespace trelvox
