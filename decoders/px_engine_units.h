#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "decoders/decoder.h"
#include "decoders/reference_altitude.h"

namespace trelvox {

// How an item's reading is taken from a PX unit's record, which also fixes its element.
enum class PxReading : std::uint8_t {
  kUnsigned,       // the word, unsigned 16-bit
  kSigned,         // the word as a 16-bit two's-complement number
  kSigned15Bits,   // bits 0-14 as a 15-bit two's-complement number; bit 15 is the flag
  kAltitude,       // the word as signed 16-bit less the reference altitude, in 32 bits
  kOperationTime,  // hours, minutes and seconds from this word and the next two, in seconds
};

// One row of a PX unit's item table: the column and where its reading comes from.
struct PxItem {
  Column column;
  PxReading reading;
  int word;
};

namespace px {

constexpr Element elementOf(PxReading reading) {
  switch (reading) {
    case PxReading::kSigned:
    case PxReading::kSigned15Bits:
      return Element::kSigned16;
    case PxReading::kAltitude:
      return Element::kSigned32;
    case PxReading::kOperationTime:
      return Element::kUnsigned32;
    case PxReading::kUnsigned:
      break;
  }
  return Element::kUnsigned16;
}

// A row reading `word` as `reading`: the table gives name, unit, quantity, scale and format.
constexpr PxItem item(PxReading reading, int word, Column column) {
  column.element = elementOf(reading);
  return {column, reading, word};
}
constexpr PxItem unsignedWord(int word, Column column) {
  return item(PxReading::kUnsigned, word, column);
}
constexpr PxItem signedWord(int word, Column column) {
  return item(PxReading::kSigned, word, column);
}
constexpr PxItem signed15Bits(int word, Column column) {
  return item(PxReading::kSigned15Bits, word, column);
}
constexpr PxItem altitude(int word, const char* name) {
  return item(PxReading::kAltitude, word,
              {.name = name,
               .unit = "m",
               .quantity = Quantity::kHeight,
               .scale = 1,
               .format = {.width = 5, .decimals = 1}});
}
constexpr PxItem operationTime(int word, const char* name) {
  return item(PxReading::kOperationTime, word,
              {.name = name,
               .unit = "s",
               .quantity = Quantity::kDuration,
               .format = {.width = 5},
               .shown = Shown::kClockWords});
}

// Column presets of the PX tables.
constexpr Column whole(const char* name, const char* unit, Quantity quantity,
                       std::uint8_t width = 5) {
  return {.name = name, .unit = unit, .quantity = quantity, .format = {.width = width}};
}
constexpr Column tenths(const char* name, const char* unit, Quantity quantity,
                        std::uint8_t width = 5) {
  return {.name = name,
          .unit = unit,
          .quantity = quantity,
          .scale = 1,
          .format = {.width = width, .decimals = 1}};
}

// A copy of `items` in which the listed items carry other names and units.
struct Rename {
  std::size_t item;
  const char* name;
  const char* unit;
};
template <std::size_t N, std::size_t M>
constexpr std::array<PxItem, N> renamed(std::array<PxItem, N> items, const Rename (&renames)[M]) {
  for (const Rename& rename : renames) {
    items[rename.item].column.name = rename.name;
    items[rename.item].column.unit = rename.unit;
  }
  return items;
}

template <std::size_t N>
constexpr std::array<Column, N> columnsOf(const std::array<PxItem, N>& items) {
  std::array<Column, N> columns{};
  for (std::size_t i = 0; i < N; ++i) columns[i] = items[i].column;
  return columns;
}

}  // namespace px

// The common decoder of the PX engine-control units (PX-31, PX-32, PX-33, PX-34). A model is an
// item table and the number of its flag word: bit 15 of that word says whether the record carries
// the unit's data at all; it belongs to no reading, so the flag word reads without it while every
// other word keeps all sixteen bits. A record whose flag is clear changes nothing, and every other
// record refreshes each item from its row. Heights count from the first altitude of a record with
// data; operation times show as hours:minutes:seconds as sent.
class EngineUnitDecoder : public ItemDecoder<27> {
 public:
  void update() override;
  void columnValue(int column, ColumnValue& value) const override;

 protected:
  template <std::size_t N>
  EngineUnitDecoder(const DecoderPlace& place, const std::array<PxItem, N>& items,
                    const std::array<Column, N>& columns, int flagWord)
      : ItemDecoder(place, columns), items_(items), flagWord_(flagWord) {}

 private:
  static constexpr int kMaxWords = 30;
  using Words = std::array<std::uint16_t, kMaxWords>;

  void record(int item, const Words& words);
  std::int32_t heightAboveReference(std::uint16_t altitudeWord);

  std::span<const PxItem> items_;
  int flagWord_;
  // The words of the last record with data, for the operation times' texts.
  std::array<ClockWords, 27> clocks_{};
  ReferenceAltitude<std::int16_t> referenceAltitude_;
};

// The PX-31 and PX-33 items: word k feeds item k, the two operation times take three words each.
inline constexpr std::array<PxItem, 26> kPx31Items{{
    px::unsignedWord(0, px::tenths("Atmospheric pressure", "hPa", Quantity::kPressure, 4)),
    px::unsignedWord(1, px::whole("Fuel pressure", "kPa", Quantity::kPressure)),
    px::unsignedWord(2, px::tenths("Power voltage", "V", Quantity::kVoltage, 4)),
    px::unsignedWord(3, px::whole("3.3V Voltage", "mV", Quantity::kVoltage)),
    px::unsignedWord(4, px::whole("5V Voltage", "mV", Quantity::kVoltage)),
    px::unsignedWord(5, px::whole("12V Voltage", "mV", Quantity::kVoltage)),
    px::signedWord(6, px::whole("Head temperature", kCelsiusSign, Quantity::kTemperature)),
    px::unsignedWord(7, px::whole("Throttle signal input", "%", Quantity::kPercent)),
    px::unsignedWord(8, px::whole("Throttle signal output", "%", Quantity::kPercent)),
    px::unsignedWord(9, px::whole("Trim signal Width", "us", Quantity::kOther)),
    px::unsignedWord(10, px::whole("Rotation speed", "rpm", Quantity::kRotation)),
    px::signedWord(11, px::tenths("Current1(Battery)", "A", Quantity::kCurrent)),
    px::signedWord(12, px::tenths("Current2(Power)", "A", Quantity::kCurrent)),
    px::signedWord(13, px::tenths("Current3", "A", Quantity::kCurrent)),
    px::signedWord(14, px::tenths("Current4", "A", Quantity::kCurrent)),
    px::unsignedWord(15, px::tenths("Voltage1", "V", Quantity::kVoltage)),
    px::unsignedWord(16, px::tenths("Voltage2", "V", Quantity::kVoltage)),
    px::unsignedWord(17, px::whole("Fuel level1", "%", Quantity::kFuel)),
    px::unsignedWord(18, px::whole("Fuel level2", "%", Quantity::kFuel)),
    px::unsignedWord(19, px::whole("Generated power", "W", Quantity::kPower)),
    px::unsignedWord(20, px::whole("Power consumption", "W", Quantity::kPower)),
    px::altitude(21, "Altitude"),
    px::unsignedWord(22, px::whole("Fuel consumption", "ml", Quantity::kFuel)),
    px::unsignedWord(23, px::tenths("Total fuel consumption", "", Quantity::kFuel)),
    px::operationTime(24, "Operation time"),
    px::operationTime(27, "Total operation time"),
}};

// PX-31: the flag is bit 15 of word 1, so "Fuel pressure" has fifteen bits.
class Px31Decoder final : public EngineUnitDecoder {
 public:
  static constexpr auto kColumns = px::columnsOf(kPx31Items);
  explicit Px31Decoder(const DecoderPlace& place)
      : EngineUnitDecoder(place, kPx31Items, kColumns, 1) {}
};

// PX-33: the flag is bit 15 of word 2, so "Power voltage" has fifteen bits.
class Px33Decoder final : public EngineUnitDecoder {
 public:
  static constexpr auto kColumns = px::columnsOf(kPx31Items);
  explicit Px33Decoder(const DecoderPlace& place)
      : EngineUnitDecoder(place, kPx31Items, kColumns, 2) {}
};

// The PX-31 words, five of them under names and units of the PX-34's own.
inline constexpr std::array<PxItem, 26> kPx34Items =
    px::renamed(kPx31Items, {{7, "Throttle signal output", "%"},
                             {8, "Trim signal Width", "us"},
                             {9, "Set Rotation", "rpm"},
                             {12, "Current2(Power1)", "A"},
                             {13, "Current3(Power2)", "A"}});

// PX-34: the flag is bit 15 of word 3, so "3.3V Voltage" has fifteen bits.
class Px34Decoder final : public EngineUnitDecoder {
 public:
  static constexpr auto kColumns = px::columnsOf(kPx34Items);
  explicit Px34Decoder(const DecoderPlace& place)
      : EngineUnitDecoder(place, kPx34Items, kColumns, 3) {}
};

// The twin-engine unit's own word order.
inline constexpr std::array<PxItem, 27> kPx32Items{{
    px::signed15Bits(0, px::whole("Temperature1", kCelsiusSign, Quantity::kTemperature, 6)),
    px::signedWord(1, px::whole("Temperature2", kCelsiusSign, Quantity::kTemperature, 6)),
    px::unsignedWord(2, px::whole("Set Rotation1", "rpm", Quantity::kRotation)),
    px::unsignedWord(3, px::whole("Set Rotation2", "rpm", Quantity::kRotation)),
    px::unsignedWord(4, px::whole("Rotation1", "rpm", Quantity::kRotation)),
    px::unsignedWord(5, px::whole("Rotation2", "rpm", Quantity::kRotation)),
    px::unsignedWord(6, px::tenths("Power voltage", "V", Quantity::kVoltage)),
    px::signedWord(7, px::tenths("Current1(Battery)", "A", Quantity::kCurrent)),
    px::signedWord(8, px::tenths("Current2(Power1)", "A", Quantity::kCurrent)),
    px::signedWord(9, px::tenths("Current3(Power2)", "A", Quantity::kCurrent)),
    px::unsignedWord(10, px::whole("Generated power1", "W", Quantity::kPower)),
    px::unsignedWord(11, px::whole("Generated power2", "W", Quantity::kPower)),
    px::unsignedWord(12, px::whole("Total power", "W", Quantity::kPower)),
    px::unsignedWord(13, px::whole("Power consumption", "W", Quantity::kPower)),
    px::unsignedWord(14, px::whole("Throttle signal1", "%", Quantity::kPercent)),
    px::unsignedWord(15, px::whole("Throttle signal2", "%", Quantity::kPercent)),
    px::altitude(16, "Altitude"),
    px::unsignedWord(17, px::tenths("Pressure", "hPa", Quantity::kPressure, 4)),
    px::unsignedWord(18, px::whole("Fuel1", "%", Quantity::kFuel)),
    px::unsignedWord(19, px::whole("Fuel2", "%", Quantity::kFuel)),
    px::unsignedWord(20, px::tenths("Voltage1", "V", Quantity::kVoltage, 4)),
    px::unsignedWord(21, px::tenths("Voltage2", "V", Quantity::kVoltage, 4)),
    px::signedWord(22, px::tenths("Current4", "A", Quantity::kCurrent)),
    px::unsignedWord(23, px::whole("12V Voltage", "mV", Quantity::kVoltage)),
    px::unsignedWord(24, px::whole("5V Voltage", "mV", Quantity::kVoltage)),
    px::unsignedWord(25, px::whole("3.3V Voltage", "mV", Quantity::kVoltage)),
    px::operationTime(26, "Operation time"),
}};

// PX-32: the flag is bit 15 of word 0, whose other fifteen bits are the first temperature.
class Px32Decoder final : public EngineUnitDecoder {
 public:
  static constexpr auto kColumns = px::columnsOf(kPx32Items);
  explicit Px32Decoder(const DecoderPlace& place)
      : EngineUnitDecoder(place, kPx32Items, kColumns, 0) {}
};

}  // namespace trelvox
