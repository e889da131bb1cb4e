#include <gtest/gtest.h>

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "conversion/decoder_registry.h"
#include "tests/decoder_harness.h"

namespace trelvox {
namespace {

// What a decoder shows for the current record: every column's text and every item's range text.
std::string everythingShown(const Decoder& decoder) {
  std::string shown;
  const auto columns = decoder.columns();
  for (std::size_t c = 0; c < columns.size(); ++c) {
    const int column = static_cast<int>(c);
    if (!isItem(columns[c].shown)) {
      ValueText text;
      ColumnValue value;
      decoder.columnValue(column, value);
      writeColumnValueText(columns[c].shown, value, text);
      shown += std::string(text.view()) + '|';
      continue;
    }
    shown += currentTextOf(decoder, column) + '|' + rangeTextOf(decoder, column) + '|';
  }
  return shown;
}

TEST(AllDecoders, EveryRegisteredTypeMakesADecoderThatStartsWithoutReadings) {
  EXPECT_EQ(kDecoderTypes.size(), 30u);
  for (const DecoderType& type : kDecoderTypes) {
    SCOPED_TRACE(type.name);
    EXPECT_EQ(findDecoderType(type.id), &type) << "IDs are unique";
    const RecordWords words;
    const std::unique_ptr<Decoder> decoder = createDecoder(type.id, words.words(), 1);
    ASSERT_NE(decoder, nullptr);
    EXPECT_EQ(&decoder->type(), &type);
    EXPECT_FALSE(decoder->columns().empty());
    for (std::size_t c = 0; c < decoder->columns().size(); ++c) {
      const Column& column = decoder->columns()[c];
      EXPECT_NE(std::string(column.name), "");
      if (isItem(column.shown)) {
        EXPECT_FALSE(decoder->current(static_cast<int>(c)).present);
      }
    }
  }
}

// Two decoders of one type see the same words in their own slots, and different words everywhere
// else: what they show must stay the same, record after record.
TEST(AllDecoders, NoneReadsAWordOutsideItsOwnSlots) {
  constexpr int kFirstSlot = 2;
  constexpr int kAllSlots = kSlotGroups * kSlotsPerGroup;
  for (const DecoderType& type : kDecoderTypes) {
    SCOPED_TRACE(type.name);
    const int lastSlot = kFirstSlot + type.slots - 1;
    RecordWords quiet;
    RecordWords noisy;
    const std::unique_ptr<Decoder> quietDecoder = createDecoder(type.id, quiet.words(), kFirstSlot);
    const std::unique_ptr<Decoder> noisyDecoder = createDecoder(type.id, noisy.words(), kFirstSlot);
    for (int record = 0; record < 4; ++record) {
      for (int slot = 0; slot < kAllSlots; ++slot) {
        if (slot >= kFirstSlot && slot <= lastSlot) {
          // Flag bits on, the rest changing from record to record.
          const int first = 0xC0 | ((record * 7 + slot) & 0x3F);
          const int second = 0x80 | ((record * 13 + slot * 3) & 0x7F);
          quiet.bytes(slot, first, second);
          noisy.bytes(slot, first, second);
        } else {
          noisy.bytes(slot, 0xFF - record, 0xA5 ^ slot);
        }
      }
      quietDecoder->update();
      noisyDecoder->update();
      EXPECT_EQ(everythingShown(*noisyDecoder), everythingShown(*quietDecoder)) << record;
    }
  }
}

// A sensor at the end of the record runs past it: the words it lacks read as zero, so it shows what
// the same sensor earlier in the record shows with those words at zero.
TEST(AllDecoders, WordsPastTheEndOfTheRecordReadAsZero) {
  constexpr int kEarlySlot = 2;
  constexpr int kAllSlots = kSlotGroups * kSlotsPerGroup;
  for (const DecoderType& type : kDecoderTypes) {
    for (int wordsInRecord = 1; wordsInRecord < type.slots; ++wordsInRecord) {
      SCOPED_TRACE(std::string(type.name) +
                   ", words in the record: " + std::to_string(wordsInRecord));
      const int lateSlot = kAllSlots - wordsInRecord;
      RecordWords late;
      RecordWords early;
      const std::unique_ptr<Decoder> lateDecoder = createDecoder(type.id, late.words(), lateSlot);
      const std::unique_ptr<Decoder> earlyDecoder =
          createDecoder(type.id, early.words(), kEarlySlot);
      for (int record = 0; record < 4; ++record) {
        for (int k = 0; k < wordsInRecord; ++k) {
          const int first = 0xC0 | ((record * 7 + k) & 0x3F);
          const int second = 0x80 | ((record * 13 + k * 3) & 0x7F);
          late.bytes(lateSlot + k, first, second);
          early.bytes(kEarlySlot + k, first, second);
        }
        lateDecoder->update();
        earlyDecoder->update();
        EXPECT_EQ(everythingShown(*lateDecoder), everythingShown(*earlyDecoder)) << record;
      }
    }
  }
}

}  // namespace
}  // namespace trelvox
