#include <gtest/gtest.h>

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "conversion/sensor_factory.h"
#include "sensors/row_writer.h"
#include "sensors/sensor_types.h"
#include "tests/decoder_harness.h"

namespace trelvox {
namespace {

// Every type ID a slot map can name that has a decoder.
std::vector<int> decodedTypes() {
  std::vector<int> types;
  for (int type = 0; type < 256; ++type) {
    if (hasDecoder(type)) types.push_back(type);
  }
  return types;
}

class StringSink final : public OutputSink {
 public:
  void write(std::span<const char> bytes) override { text.append(bytes.begin(), bytes.end()); }
  std::string text;
};

// The fields a decoder writes for the current record, and the range text of every item.
std::string everythingShown(const SensorStatus& decoder) {
  StringSink sink;
  {
    RowWriter out(sink, Separators{});
    decoder.writeValues(out);
    out.flush();
  }
  for (int item = 0; item < decoder.itemCount(); ++item) {
    sink.text += '|' + rangeTextOf(decoder, item);
  }
  return sink.text;
}

TEST(AllDecoders, EveryKnownTypeHasOne) { EXPECT_EQ(decodedTypes().size(), 30u); }

TEST(AllDecoders, AnIndexOutsideTheItemsGivesTheDefaultValueAndNoName) {
  const SensorValue fallback;
  for (const int type : decodedTypes()) {
    SCOPED_TRACE(typeName(type));
    const RecordWords words;
    const std::unique_ptr<SensorStatus> decoder = createSensor(type, words.place(1));
    for (const int item : {-1, decoder->itemCount(), 1000}) {
      SCOPED_TRACE(item);
      for (const SensorValue& value :
           {decoder->currentValue(item), decoder->maxValue(item), decoder->minValue(item)}) {
        EXPECT_TRUE(value.isValid());
        EXPECT_EQ(value.number(), 0);
        EXPECT_EQ(value.scale(), 0);
        EXPECT_EQ(&value.format(), &fallback.format());
      }
      EXPECT_STREQ(decoder->itemName(item), "");
      EXPECT_EQ(currentTextOf(*decoder, item), "     0");
    }
  }
}

// Two decoders of one type see the same words in their own slots, and different words everywhere
// else: what they show must stay the same, record after record.
TEST(AllDecoders, NoneReadsAWordOutsideItsOwnSlots) {
  constexpr int kFirstSlot = 2;
  constexpr int kAllSlots = kSlotGroups * kSlotsPerGroup;
  for (const int type : decodedTypes()) {
    SCOPED_TRACE(typeName(type));
    const int lastSlot = kFirstSlot + slotsOccupied(type) - 1;
    RecordWords quiet;
    RecordWords noisy;
    const std::unique_ptr<SensorStatus> quietDecoder = createSensor(type, quiet.place(kFirstSlot));
    const std::unique_ptr<SensorStatus> noisyDecoder = createSensor(type, noisy.place(kFirstSlot));
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

}  // namespace
}  // namespace trelvox
