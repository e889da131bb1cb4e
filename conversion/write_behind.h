#pragma once

// Writes another sink's bytes on a thread of its own, so that the conversion's thread goes on
// decoding while the system copies a side file (a GPX track is almost half the CSV's size) and
// allocates its blocks. Bytes are gathered into blocks of 256 KiB.
// A failure to write is thrown by a later write or by finish; nothing is written after it.

#include <span>
#include <vector>

#include "conversion/block_hand_off.h"
#include "outputs/byte_sink.h"

namespace trelvox {

class WriteBehind final : public ByteSink {
 public:
  explicit WriteBehind(ByteSink& target);

  void write(std::span<const char> bytes) override;
  // Hands over what is gathered and waits until every byte is written.
  void finish();

 private:
  static constexpr std::size_t kBlockSize = 256 * 1024;

  BlockHandOff<std::vector<char>> handOff_;
};

}  // namespace trelvox
