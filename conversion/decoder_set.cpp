#include "conversion/decoder_set.h"

#include "conversion/decoder_registry.h"

namespace trelvox {

std::vector<std::unique_ptr<Decoder>> decodersFor(const SlotMap& map, SlotWords words) {
  constexpr int kGroup = 0;
  std::vector<std::unique_ptr<Decoder>> decoders;
  // Slot 0 always carries the receiver, whatever its entry says.
  decoders.push_back(createDecoder(kReceiverTypeId, words, 0));
  for (int slot = 1; slot < kSlotsPerGroup; ++slot) {
    const int typeId = map.typeId(kGroup, slot);
    if (typeId == kReceiverTypeId || !map.isFirstSlot(kGroup, slot)) continue;
    if (auto decoder = createDecoder(typeId, words, slot)) decoders.push_back(std::move(decoder));
  }
  return decoders;
}

}  // namespace trelvox
