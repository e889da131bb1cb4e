#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <vector>

#include "decoders/decoder.h"
#include "outputs/text/reading_text.h"
#include "support/log_builder.h"
#include "tests/csv_table.h"

namespace trelvox {

// A log holding one sensor of `typeId` from `firstSlot` on, besides the receiver.
inline LogBuilder logWithSensor(int firstSlot, int typeId) {
  LogBuilder log;
  log.sensor(firstSlot, typeId);
  return log;
}

// The two bytes of one slot word, in file order.
struct SlotBytes {
  int first;
  int second;
};

// The slot-word bytes of one record for a decoder built directly over them, as a conversion
// builds it: for what the CSV does not show (range texts, extremes, accessors). Slots are numbered
// as in LogBuilder records. The decoders keep a view of the bytes, so they are never copied.
class RecordWords {
 public:
  RecordWords() = default;
  RecordWords(const RecordWords&) = delete;
  RecordWords& operator=(const RecordWords&) = delete;

  // For a decoder built directly: a type row of its own stands in for the registry's.
  DecoderPlace place(int firstSlot) const {
    static constexpr DecoderType kBuiltDirectly{255, "BUILT DIRECTLY", 0, nullptr};
    return DecoderPlace{&kBuiltDirectly, words(), firstSlot};
  }
  SlotWords words() const { return SlotWords(bytes_); }
  // The word of slot `slot`, big-endian.
  RecordWords& word(int slot, std::uint16_t v) { return bytes(slot, v >> 8, v & 0xFF); }
  // The two bytes of a slot word in file order.
  RecordWords& bytes(int slot, int first, int second) {
    const auto offset = 2 * static_cast<std::size_t>(slot);
    bytes_.at(offset) = static_cast<std::uint8_t>(first);
    bytes_.at(offset + 1) = static_cast<std::uint8_t>(second);
    return *this;
  }

 private:
  std::array<std::uint8_t, kSlotWordBytes> bytes_{};
};

// One word of an otherwise valid frame and the text its column then shows.
struct WordCase {
  int word;  // counted from the sensor's first slot
  std::uint16_t raw;
  const char* column;
  const char* text;
};

// A word at an absolute slot.
struct SlotWord {
  int slot;
  std::uint16_t value;
};

// For each case, converts a log holding a sensor of `typeId` at `firstSlot` and one record that
// carries `frameWord` (what makes the frame valid) and then the case's word, and expects the case's
// column to show the case's text.
void expectWordTexts(int typeId, int firstSlot, SlotWord frameWord,
                     std::span<const WordCase> cases);
// The same for a sensor whose words need no frame word.
inline void expectWordTexts(int typeId, int firstSlot, std::span<const WordCase> cases) {
  expectWordTexts(typeId, firstSlot, SlotWord{firstSlot, 0}, cases);
}

// One word of a record, counted from the sensor's first slot.
struct SensorWord {
  int word;
  std::uint16_t value;
};
using RecordSpec = std::initializer_list<SensorWord>;

// Converts a log holding a sensor of `typeId` at `firstSlot` and one record per entry of
// `records`, each setting the listed words of the sensor.
CsvTable convertWords(int firstSlot, int typeId, std::initializer_list<RecordSpec> records,
                      Separators separators = {});

// Converts a log holding a sensor of `typeId` at `firstSlot` and one record per entry of
// `records`, each setting the two bytes of the sensor's first word.
CsvTable convertFirstWordBytes(int firstSlot, int typeId, std::span<const SlotBytes> records);

// The columns one sensor adds to the three header rows.
struct SensorColumns {
  std::string slot;
  std::string typeName;
  std::vector<std::string> names;
};

// Expects the header rows to end with the receiver's last column and then the columns of
// `sensors`, and every data row to have as many fields as the header.
void expectColumns(const CsvTable& csv, std::initializer_list<SensorColumns> sensors);

// Expects every data row to show "---" in each of the columns named `names`.
void expectNoValueIn(const CsvTable& csv, const std::vector<std::string>& names);

// Converts a log holding a sensor of `typeId` at `firstSlot` and one all-zero record.
CsvTable convertEmptyRecord(int firstSlot, int typeId);

// The listed texts as a vector; unlike a braced list of strings, a call keeps a long list packed.
template <typename... Texts>
std::vector<std::string> textsOf(Texts... texts) {
  return {texts...};
}

inline std::string currentTextOf(const Decoder& decoder, int item) {
  ValueText text;
  const Column& column = decoder.columns()[static_cast<std::size_t>(item)];
  writeReadingText(decoder.current(item), column.format, '.', text);
  return std::string(text.view());
}

inline std::string rangeTextOf(const Decoder& decoder, int item, char decimalSeparator = '.') {
  ValueText text;
  writeRangeText(decoder, item, decimalSeparator, text);
  return std::string(text.view());
}

// The last `count` fields of a CSV row: those of the last sensor of a log.
inline std::vector<std::string> lastFields(const std::vector<std::string>& row, std::size_t count) {
  return {row.end() - static_cast<std::ptrdiff_t>(count), row.end()};
}

// The fields of a CSV row after the time, the sixteen channels and the receiver's three: those of
// the sensors after the receiver.
inline std::vector<std::string> fieldsAfterReceiver(const std::vector<std::string>& row) {
  constexpr std::ptrdiff_t kLeadingFields = 1 + 16 + 3;
  return {row.begin() + kLeadingFields, row.end()};
}

}  // namespace trelvox
