#include "conversion/write_behind.h"

#include <algorithm>

namespace trelvox {

WriteBehind::WriteBehind(ByteSink& target)
    : handOff_([&target](std::vector<char>& block) {
        target.write(block);
        block.clear();
      }) {}

void WriteBehind::write(std::span<const char> bytes) {
  while (!bytes.empty()) {
    std::vector<char>& block = handOff_.filling();
    if (block.capacity() < kBlockSize) block.reserve(kBlockSize);
    const std::size_t taken = std::min(bytes.size(), kBlockSize - block.size());
    block.insert(block.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(taken));
    bytes = bytes.subspan(taken);
    if (block.size() == kBlockSize) handOff_.handOver();
  }
}

void WriteBehind::finish() {
  if (!handOff_.filling().empty()) handOff_.handOver();
  handOff_.finish();
}

}  // namespace trelvox
