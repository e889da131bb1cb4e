#pragma once

// Formats blocks of CSV rows on worker threads while the conversion's thread goes on decoding,
// and writes the finished text in record order. The conversion's thread fills a batch with the
// values its rows show (a snapshot: decoders move on with the next record) and submits it; a
// worker formats it and, once every older batch is written, writes it too, so that decoding
// carries neither the formatting nor the system calls. A fixed ring of batches bounds the memory
// whatever the log's length. The conversion's thread formats and writes too while it would
// otherwise wait; with no worker thread it does all of it. A failed write is thrown on the
// conversion's thread.

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

#include "values/column.h"
#include "values/data_record.h"

namespace trelvox {

// The values of a run of records, as a CSV row shows them, and their formatted text.
struct RecordBatch {
  std::size_t records = 0;
  std::vector<RecordHead> heads;       // time and channels, decoded as the rows are formatted
  std::vector<std::int64_t> readings;  // one per reading field per record
  std::vector<ColumnValue> texts;      // one per text field per record
  std::vector<char> text;              // the rows, once formatted
  std::size_t textSize = 0;

  // Keeps the vectors' sizes: the next fill overwrites what it uses.
  void clear() {
    records = 0;
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
  // One step towards a free batch: formats a waiting batch, or writes finished ones, or waits.
  void advance(std::unique_lock<std::mutex>& lock);
  // Formats the oldest batch no thread has taken yet, then writes what is ready.
  void formatNext(std::unique_lock<std::mutex>& lock);
  // Writes the formatted batches next in order; returns whether it wrote any.
  bool writeReady(std::unique_lock<std::mutex>& lock);
  void throwIfFailed() const;

  Format format_;
  Write write_;
  std::vector<RecordBatch> batches_{kBatches};
  std::vector<State> states_ = std::vector<State>(kBatches, State::kFree);
  std::size_t filled_ = 0;   // batches submitted so far
  std::size_t written_ = 0;  // batches written so far
  std::size_t claimed_ = 0;  // batches a worker has taken so far
  bool writing_ = false;
  bool stopping_ = false;
  std::exception_ptr failure_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::thread> workers_;
};

}  // namespace trelvox
