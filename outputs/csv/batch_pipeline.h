#pragma once

// Formats blocks of CSV rows and writes the finished text in record order. The conversion's thread
// fills a batch with the values its rows show (a snapshot: decoders move on with the next record)
// and submits it. With no formatter thread (the usual case: logs are converted several at once, one
// per core) that thread formats and writes each batch itself. A long log may get a formatter
// thread, which formats batches while decoding goes on; the conversion's thread still does every
// write, so that a failure and the system's reason for it stay on the thread that converts the log,
// and formats too rather than wait. A fixed ring of batches bounds the memory whatever the log's
// length.

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

  // `formatterThread`: a thread of its own formats batches too.
  BatchPipeline(Format format, Write write, bool formatterThread);
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
  // One step towards a free batch: writes finished batches, or formats a waiting one, or waits.
  void advance(std::unique_lock<std::mutex>& lock);
  // Formats the oldest batch no thread has taken yet.
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
  std::size_t claimed_ = 0;  // batches a thread has taken to format so far
  bool stopping_ = false;
  std::exception_ptr failure_;  // of a formatter thread (out of memory)
  std::mutex mutex_;
  std::condition_variable changed_;
  std::thread formatter_;
};

}  // namespace trelvox
