#pragma once

#include <array>
#include <memory>
#include <span>
#include <vector>

#include "conversion/conversion_request.h"
#include "conversion/log_facts.h"
#include "conversion/output_table.h"
#include "outputs/log_output.h"
#include "outputs/text/byte_sink.h"
#include "outputs/text/byte_spill.h"

namespace trelvox {

class FlightSummaryOutput;
class HealthCheck;
class TrackSource;

// The outputs of one conversion, made from the rows of kOutputTable, in the order the record loop
// hands them each record. Outputs that others read (the flight summary, the track, the health
// check) are made once, on first asking, and go before the output that asked, so that they have
// ended when it ends. With the request's summary, the flight summary and the health check are
// made from the start.
class OutputSet {
 public:
  OutputSet(const ConversionRequest& request, LogFacts facts);
  ~OutputSet();
  OutputSet(const OutputSet&) = delete;
  OutputSet& operator=(const OutputSet&) = delete;

  const ConversionRequest& request() const { return request_; }
  const LogFacts& facts() const { return facts_; }
  FlightSummaryOutput& summary();
  TrackSource& track();
  HealthCheck& health();
  bool hasSummary() const { return summary_ != nullptr; }
  bool hasHealth() const { return health_ != nullptr; }

  // Makes the output of `format`'s row, writing into `file`, with as many spills as the row keeps
  // (which stay the caller's, and must outlive this set).
  void add(OutputFormat format, ByteSink& file, std::span<ByteSpill* const> scratch = {});
  // The output of a row made already; null for one not asked for.
  const LogOutput* outputOf(OutputFormat format) const;
  const std::vector<LogOutput*>& loopOrder() const { return loopOrder_; }

 private:
  LogOutput& append(std::unique_ptr<LogOutput> output);

  const ConversionRequest& request_;
  LogFacts facts_;
  std::vector<std::unique_ptr<LogOutput>> outputs_;
  std::vector<LogOutput*> loopOrder_;
  std::array<const LogOutput*, kOutputFormats> byFormat_{};
  FlightSummaryOutput* summary_ = nullptr;
  TrackSource* track_ = nullptr;
  HealthCheck* health_ = nullptr;
};

// What a row's factory is handed. A shared source is there only for a row that says it reads it:
// the request asks for the limits file by what the rows say, so a factory that read the health
// check behind its row's back would get the built-in limits alone.
class OutputParts {
 public:
  OutputParts(OutputSet& set, const OutputRow& row, ByteSink& file,
              std::span<ByteSpill* const> scratch)
      : set_(set), row_(row), file_(file), scratch_(scratch) {}

  ByteSink& file() const { return file_; }
  // The row's spills, `index` below its scratchFiles.
  ByteSpill& scratch(std::size_t index) const { return *scratch_[index]; }
  const ConversionRequest& request() const { return set_.request(); }
  const LogFacts& facts() const { return set_.facts(); }
  const OutputSet& made() const { return set_; }
  FlightSummaryOutput& summary() const;
  TrackSource& track() const;
  HealthCheck& health() const;

 private:
  void refuseUnlessRead(bool read, const char* source) const;

  OutputSet& set_;
  const OutputRow& row_;
  ByteSink& file_;
  std::span<ByteSpill* const> scratch_;
};

}  // namespace trelvox
