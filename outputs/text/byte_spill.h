#pragma once

#include "outputs/text/byte_sink.h"

namespace trelvox {

// Bytes an output puts aside while it streams, because they belong after bytes still to come.
// Whatever the log's length, they never stay in memory.
class ByteSpill : public ByteSink {
 public:
  // Hands everything written so far to `sink`, in order, and empties the spill. Throws as the
  // sinks do.
  virtual void moveTo(ByteSink& sink) = 0;
};

}  // namespace trelvox
