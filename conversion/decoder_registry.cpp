#include "conversion/decoder_registry.h"

namespace trelvox {

std::string_view typeName(int typeId) {
  const DecoderType* type = findDecoderType(typeId);
  return type ? type->name : "-----------";
}

int slotsOccupied(int typeId) {
  const DecoderType* type = findDecoderType(typeId);
  return type ? type->slots : 0;
}

std::unique_ptr<Decoder> createDecoder(int typeId, SlotWords words, int firstSlot) {
  const DecoderType* type = findDecoderType(typeId);
  return type ? type->create(DecoderPlace{type, words, firstSlot}) : nullptr;
}

}  // namespace trelvox
