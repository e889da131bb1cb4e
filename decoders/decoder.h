#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string_view>

#include "values/column.h"
#include "values/geo_point.h"
#include "values/sensor_words.h"
#include "values/tracked_reading.h"

namespace trelvox {

// A GPS time of day counts the seconds since midnight UTC, below this.
inline constexpr std::uint32_t kSecondsPerDay = 24 * 3600;

class Decoder;
struct DecoderPlace;

// A type name without the blanks some types pad it with in header row 2: as texts other than the
// CSV's header show it, and as a limits file may name it.
constexpr std::string_view trimmedTypeName(std::string_view name) {
  return name.substr(0, name.find_last_not_of(' ') + 1);
}

// A sensor type as a slot map names it: its ID, the name header row 2 shows, how many slots it
// occupies and how to make its decoder.
struct DecoderType {
  std::uint8_t id;
  std::string_view name;
  int slots;
  std::unique_ptr<Decoder> (*create)(const DecoderPlace&);

  constexpr std::string_view trimmedName() const { return trimmedTypeName(name); }
};

// Where a decoder sits: its type, the slot words of the current record and its first slot.
struct DecoderPlace {
  const DecoderType* type;
  SlotWords words;
  int firstSlot;
};

// The decoder of one telemetry sensor. The conversion makes one per sensor in the slot map and
// calls update once per data record; outputs then read what it tracks. A decoder is a list of
// columns (its items and its text columns, in CSV order) plus `update`, which reads the record's
// slot words and records each item's reading. Item i is column i.
class Decoder {
 public:
  virtual ~Decoder() = default;
  Decoder(const Decoder&) = delete;
  Decoder& operator=(const Decoder&) = delete;

  // Reads the current record's slot words and records what they carry.
  virtual void update() = 0;
  // Puts the value behind a column that is not a plain reading (see Shown) into the caller's
  // `value`; absent by default.
  virtual void columnValue(int column, ColumnValue& value) const;
  // The UTC time of day of the current record in seconds (below kSecondsPerDay), where the sensor
  // sends one.
  virtual std::optional<std::uint32_t> utcSecondsOfDay() const { return std::nullopt; }
  // Whether the current record carries the sensor's position-valid bit; nothing for sensors that
  // send no such bit.
  virtual std::optional<bool> positionValid() const { return std::nullopt; }

  const DecoderType& type() const { return *place_.type; }
  int firstSlot() const { return place_.firstSlot; }
  std::span<const Column> columns() const { return columns_; }
  const TrackedReading& tracked(int column) const { return readings_[index(column)]; }

  Reading current(int item) const { return readingOf(item, tracked(item).current); }
  Reading smallest(int item) const { return readingOf(item, tracked(item).smallest); }
  Reading largest(int item) const { return readingOf(item, tracked(item).largest); }

 protected:
  Decoder(const DecoderPlace& place, std::span<const Column> columns,
          std::span<TrackedReading> readings);

  SensorWords words() const { return SensorWords(place_.words, place_.firstSlot); }

  // Records a reading of item `item`, which must be sent as exactly the item's element type: a
  // mismatch is a fault in the decoder's table, not in the log, and a wrong signedness would
  // compare readings wrongly.
  template <typename T>
  void record(int item, T v) {
    if (columns_[index(item)].element != elementOf<T>()) {
      throw std::logic_error("reading recorded with another element than its item's");
    }
    recordWithoutElementCheck(item, static_cast<std::int64_t>(v));
  }
  // For decoders whose table derives each item's element from how its reading is taken, so that
  // the two cannot disagree.
  void recordWithoutElementCheck(int item, std::int64_t v) { readings_[index(item)].record(v); }

 private:
  static std::size_t index(int column) { return static_cast<std::size_t>(column); }
  Reading readingOf(int item, std::int64_t number) const;

  DecoderPlace place_;
  std::span<const Column> columns_;
  std::span<TrackedReading> readings_;
};

// Room for the tracked readings of up to Capacity columns, each starting with its element's
// no-reading mark. A base of ItemDecoder so that it exists before the Decoder base views it.
template <std::size_t Capacity>
struct ReadingStore {
  explicit ReadingStore(std::span<const Column> columns) {
    if (columns.size() > Capacity) throw std::logic_error("more columns than readings");
    for (std::size_t i = 0; i < columns.size(); ++i) {
      store[i] = TrackedReading(noReadingMark(columns[i].element));
    }
  }
  std::array<TrackedReading, Capacity> store;
};

// A decoder of at most Capacity columns given by a constant table: the usual base of a decoder
// family. Models of one family may have tables of different lengths.
template <std::size_t Capacity>
class ItemDecoder : private ReadingStore<Capacity>, public Decoder {
 protected:
  ItemDecoder(const DecoderPlace& place, std::span<const Column> columns)
      : ReadingStore<Capacity>(columns),
        Decoder(place, columns, std::span(this->store).first(columns.size())) {}
};

// The decoders of one conversion, in CSV column order.
using Decoders = std::span<const std::unique_ptr<Decoder>>;

}  // namespace trelvox
