#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <variant>

#include "sensors/mixed_item_sensor.h"
#include "sensors/reference_altitude.h"
#include "sensors/sensor_types.h"

namespace trelvox {

// The running time a PX unit reports in three consecutive words: hours, minutes and seconds, as
// sent (a minutes word of 75 stays 75).
struct OperationTime {
  std::uint16_t hours = 0;
  std::uint16_t minutes = 0;
  std::uint16_t seconds = 0;

  std::uint32_t totalSeconds() const { return hours * 3600u + minutes * 60u + seconds; }
  // Appends "hhhh:mm:ss": the hours right-aligned in four characters, every word in full.
  void writeText(ValueText& text) const;
};

// One record's words as a PX unit sends them. Bit 15 of the model's flag word says whether the
// record carries the unit's data at all; that bit belongs to no reading, so the flag word reads
// without it while every other word keeps all sixteen bits.
class PX31_PX33_Data {
 public:
  PX31_PX33_Data(SensorData words, int flagWord) : words_(words), flagWord_(flagWord) {}

  bool hasData() const { return (words_.value(flagWord_) & 0x8000) != 0; }
  std::uint16_t word(int k) const {
    const std::uint16_t w = words_.value(k);
    return k == flagWord_ ? static_cast<std::uint16_t>(w & 0x7FFF) : w;
  }
  OperationTime operationTime(int firstWord) const {
    return {word(firstWord), word(firstWord + 1), word(firstWord + 2)};
  }

 private:
  SensorData words_;
  int flagWord_;
};

// How an item's reading is taken from the record, which also fixes its element kind.
enum class PxReading : std::uint8_t {
  kUnsigned,       // the word, unsigned 16-bit
  kSigned,         // the word as a 16-bit two's-complement number
  kSigned15Bits,   // bits 0-14 as a 15-bit two's-complement number; bit 15 is the flag
  kAltitude,       // the word as signed 16-bit less the reference altitude, in 32 bits
  kOperationTime,  // hours, minutes and seconds from this word and the next two, in seconds
};

// One row of a PX unit's item table: the column and where its reading comes from.
struct PxItem {
  ItemSpec itemSpec;
  PxReading reading;
  int word;
};

constexpr PxItem pxUnsigned(int word, ItemSpec itemSpec) {
  return {itemSpec, PxReading::kUnsigned, word};
}
constexpr PxItem pxSigned(int word, ItemSpec itemSpec) {
  return {itemSpec, PxReading::kSigned, word};
}
constexpr PxItem pxSigned15Bits(int word, ItemSpec itemSpec) {
  return {itemSpec, PxReading::kSigned15Bits, word};
}
constexpr PxItem pxAltitude(int word, ItemSpec itemSpec) {
  return {itemSpec, PxReading::kAltitude, word};
}
constexpr PxItem pxOperationTime(int word, const char* name) {
  return {{name, 0, {0, 5, 0, 0, ""}}, PxReading::kOperationTime, word};
}

// A copy of `items` in which the listed items carry other names and units.
struct PxRename {
  std::size_t item;
  const char* name;
  const char* unit;
};
template <std::size_t N, std::size_t M>
constexpr std::array<PxItem, N> pxRenamed(std::array<PxItem, N> items,
                                          const PxRename (&renames)[M]) {
  for (const PxRename& rename : renames) {
    items[rename.item].itemSpec.name = rename.name;
    items[rename.item].itemSpec.format.unit = rename.unit;
  }
  return items;
}

// The operation-time item keeps, besides its totals, the words of the last record that carried
// data: its text shows them, not those of a later record without data.
struct OperationTimeReading : TrackedValue<std::uint32_t> {
  void record(const OperationTime& time) {
    TrackedValue::record(time.totalSeconds());
    latest = time;
  }
  OperationTime latest;
};

using PxTrackedReading = std::variant<TrackedValue<std::uint16_t>, TrackedValue<std::int16_t>,
                                      TrackedValue<std::int32_t>, OperationTimeReading>;

// The common decoder of the PX engine-control units (PX-31, PX-32, PX-33, PX-34). A model is an
// item table and the number of its flag word: a record whose flag is clear changes nothing, and
// every other record refreshes each item from its row. Heights count from the first altitude of a
// record with data; operation times show as hours:minutes:seconds.
class PX31_PX33_Status : public SensorStatus {
 public:
  static constexpr std::size_t kMaxItems = 27;

  int itemCount() const override { return static_cast<int>(items_.size()); }
  SensorValue currentValue(int item) const override;
  SensorValue maxValue(int item) const override;
  SensorValue minValue(int item) const override;
  const char* itemName(int item) const override;
  void currentText(int item, ValueText& text) const override;
  void update() override;

 protected:
  template <std::size_t N>
  PX31_PX33_Status(const SensorPlace& place, const std::array<PxItem, N>& items, int flagWord)
      : PX31_PX33_Status(place, std::span<const PxItem>(items), flagWord) {
    static_assert(N <= kMaxItems);
  }

 private:
  PX31_PX33_Status(const SensorPlace& place, std::span<const PxItem> items, int flagWord);

  bool has(int item) const { return item >= 0 && index(item) < items_.size(); }
  static std::size_t index(int item) { return static_cast<std::size_t>(item); }
  SensorValue valueOf(int item, ReadingKind kind) const;
  void record(std::size_t item, const PX31_PX33_Data& data);
  std::int32_t heightAboveReference(std::uint16_t altitudeWord);

  std::span<const PxItem> items_;
  int flagWord_;
  std::array<PxTrackedReading, kMaxItems> readings_;
  ReferenceAltitude<std::int16_t> referenceAltitude_;
};

struct PX31_Property {
  // The PX-31 and PX-33 items: word k feeds item k, the two operation times take three words each.
  static constexpr std::array<PxItem, 26> kItems{{
      pxUnsigned(0, {"Atmospheric pressure", 1, {0, 4, 1, 1, "hPa"}}),
      pxUnsigned(1, {"Fuel pressure", 0, {0, 5, 0, 0, "kPa"}}),
      pxUnsigned(2, {"Power voltage", 1, {0, 4, 1, 1, "V"}}),
      pxUnsigned(3, {"3.3V Voltage", 0, {0, 5, 0, 0, "mV"}}),
      pxUnsigned(4, {"5V Voltage", 0, {0, 5, 0, 0, "mV"}}),
      pxUnsigned(5, {"12V Voltage", 0, {0, 5, 0, 0, "mV"}}),
      pxSigned(6, {"Head temperature", 0, {1, 5, 0, 0, kCelsiusSign}}),
      pxUnsigned(7, {"Throttle signal input", 0, {0, 5, 0, 0, "%"}}),
      pxUnsigned(8, {"Throttle signal output", 0, {0, 5, 0, 0, "%"}}),
      pxUnsigned(9, {"Trim signal Width", 0, {0, 5, 0, 0, "us"}}),
      pxUnsigned(10, {"Rotation speed", 0, {0, 5, 0, 0, "rpm"}}),
      pxSigned(11, {"Current1(Battery)", 1, {1, 5, 1, 1, "A"}}),
      pxSigned(12, {"Current2(Power)", 1, {1, 5, 1, 1, "A"}}),
      pxSigned(13, {"Current3", 1, {1, 5, 1, 1, "A"}}),
      pxSigned(14, {"Current4", 1, {1, 5, 1, 1, "A"}}),
      pxUnsigned(15, {"Voltage1", 1, {0, 5, 1, 1, "V"}}),
      pxUnsigned(16, {"Voltage2", 1, {0, 5, 1, 1, "V"}}),
      pxUnsigned(17, {"Fuel level1", 0, {0, 5, 0, 0, "%"}}),
      pxUnsigned(18, {"Fuel level2", 0, {0, 5, 0, 0, "%"}}),
      pxUnsigned(19, {"Generated power", 0, {0, 5, 0, 0, "W"}}),
      pxUnsigned(20, {"Power consumption", 0, {0, 5, 0, 0, "W"}}),
      pxAltitude(21, {"Altitude", 1, {1, 5, 1, 0, "m"}}),
      pxUnsigned(22, {"Fuel consumption", 0, {0, 5, 0, 0, "ml"}}),
      pxUnsigned(23, {"Total fuel consumption", 1, {0, 5, 1, 1, ""}}),
      pxOperationTime(24, "Operation time"),
      pxOperationTime(27, "Total operation time"),
  }};
};

// PX-31: the flag is bit 15 of word 1, so "Fuel pressure" has fifteen bits.
class PX31_Status final : public PX31_PX33_Status, private PX31_Property {
 public:
  static constexpr int kFlagWord = 1;
  explicit PX31_Status(const SensorPlace& place) : PX31_PX33_Status(place, kItems, kFlagWord) {}
  int sensorType() const override { return kPx31; }
};

// PX-33: the flag is bit 15 of word 2, so "Power voltage" has fifteen bits.
class PX33_Status final : public PX31_PX33_Status, private PX31_Property {
 public:
  static constexpr int kFlagWord = 2;
  explicit PX33_Status(const SensorPlace& place) : PX31_PX33_Status(place, kItems, kFlagWord) {}
  int sensorType() const override { return kPx33; }
};

struct PX34_Property {
  // The PX-31 words, five of them under names and units of the PX-34's own.
  static constexpr std::array<PxItem, 26> kItems =
      pxRenamed(PX31_Property::kItems, {{7, "Throttle signal output", "%"},
                                        {8, "Trim signal Width", "us"},
                                        {9, "Set Rotation", "rpm"},
                                        {12, "Current2(Power1)", "A"},
                                        {13, "Current3(Power2)", "A"}});
};

// PX-34: the flag is bit 15 of word 3, so "3.3V Voltage" has fifteen bits.
class PX34_Status final : public PX31_PX33_Status, private PX34_Property {
 public:
  static constexpr int kFlagWord = 3;
  explicit PX34_Status(const SensorPlace& place) : PX31_PX33_Status(place, kItems, kFlagWord) {}
  int sensorType() const override { return kPx34; }
};

struct PX32_Property {
  // The twin-engine unit's own word order.
  static constexpr std::array<PxItem, 27> kItems{{
      pxSigned15Bits(0, {"Temperature1", 0, {1, 6, 0, 0, kCelsiusSign}}),
      pxSigned(1, {"Temperature2", 0, {1, 6, 0, 0, kCelsiusSign}}),
      pxUnsigned(2, {"Set Rotation1", 0, {0, 5, 0, 0, "rpm"}}),
      pxUnsigned(3, {"Set Rotation2", 0, {0, 5, 0, 0, "rpm"}}),
      pxUnsigned(4, {"Rotation1", 0, {0, 5, 0, 0, "rpm"}}),
      pxUnsigned(5, {"Rotation2", 0, {0, 5, 0, 0, "rpm"}}),
      pxUnsigned(6, {"Power voltage", 1, {0, 5, 1, 1, "V"}}),
      pxSigned(7, {"Current1(Battery)", 1, {1, 5, 1, 1, "A"}}),
      pxSigned(8, {"Current2(Power1)", 1, {1, 5, 1, 1, "A"}}),
      pxSigned(9, {"Current3(Power2)", 1, {1, 5, 1, 1, "A"}}),
      pxUnsigned(10, {"Generated power1", 0, {0, 5, 0, 0, "W"}}),
      pxUnsigned(11, {"Generated power2", 0, {0, 5, 0, 0, "W"}}),
      pxUnsigned(12, {"Total power", 0, {0, 5, 0, 0, "W"}}),
      pxUnsigned(13, {"Power consumption", 0, {0, 5, 0, 0, "W"}}),
      pxUnsigned(14, {"Throttle signal1", 0, {0, 5, 0, 0, "%"}}),
      pxUnsigned(15, {"Throttle signal2", 0, {0, 5, 0, 0, "%"}}),
      pxAltitude(16, {"Altitude", 1, {1, 5, 1, 0, "m"}}),
      pxUnsigned(17, {"Pressure", 1, {0, 4, 1, 1, "hPa"}}),
      pxUnsigned(18, {"Fuel1", 0, {0, 5, 0, 0, "%"}}),
      pxUnsigned(19, {"Fuel2", 0, {0, 5, 0, 0, "%"}}),
      pxUnsigned(20, {"Voltage1", 1, {0, 4, 1, 1, "V"}}),
      pxUnsigned(21, {"Voltage2", 1, {0, 4, 1, 1, "V"}}),
      pxSigned(22, {"Current4", 1, {1, 5, 1, 1, "A"}}),
      pxUnsigned(23, {"12V Voltage", 0, {0, 5, 0, 0, "mV"}}),
      pxUnsigned(24, {"5V Voltage", 0, {0, 5, 0, 0, "mV"}}),
      pxUnsigned(25, {"3.3V Voltage", 0, {0, 5, 0, 0, "mV"}}),
      pxOperationTime(26, "Operation time"),
  }};
};

// PX-32: the flag is bit 15 of word 0, whose other fifteen bits are the first temperature.
class PX32_Status final : public PX31_PX33_Status, private PX32_Property {
 public:
  static constexpr int kFlagWord = 0;
  explicit PX32_Status(const SensorPlace& place) : PX31_PX33_Status(place, kItems, kFlagWord) {}
  int sensorType() const override { return kPx32; }
};

}  // namespace trelvox
