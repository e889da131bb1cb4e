#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "sensors/row_writer.h"
#include "sensors/sensor_data.h"
#include "sensors/sensor_value.h"
#include "sensors/tracked_value.h"
#include "sensors/value_format.h"
#include "sensors/value_text.h"

namespace trelvox {

// Where a decoder sits: the slot words of the current record it reads, its first slot and group,
// and the decimal separator its texts use.
struct SensorPlace {
  SlotWords words;
  int slot;
  bool secondGroup;
  char decimalSeparator;
};

// The decoder of one telemetry sensor. The conversion builds one per sensor found in the slot map
// and then, per data record, calls update (read this record's slot words) and writeValues (write
// the sensor's columns). Each item is one CSV column by default; decoders that write more or fewer
// columns override the four writers.
class SensorStatus {
 public:
  explicit SensorStatus(const SensorPlace& place) : place_(place) {}
  virtual ~SensorStatus() = default;
  SensorStatus(const SensorStatus&) = delete;
  SensorStatus& operator=(const SensorStatus&) = delete;

  virtual int sensorType() const = 0;
  virtual int itemCount() const = 0;
  virtual SensorValue currentValue(int item) const = 0;
  virtual SensorValue maxValue(int item) const = 0;
  virtual SensorValue minValue(int item) const = 0;
  virtual const char* itemName(int item) const = 0;
  // The latest reading's text, or "---".
  virtual void currentText(int item, ValueText& text) const;
  // "smallest/largest", or "---"; for summaries, not written into the CSV.
  virtual void rangeText(int item, ValueText& text) const;

  virtual void writeValues(RowWriter& out) const;
  virtual void writeSlotNumbers(RowWriter& out) const;
  virtual void writeTypeNames(RowWriter& out) const;
  virtual void writeItemNames(RowWriter& out) const;

  // Reads the current record's slot words and records what they carry.
  virtual void update() = 0;

  int slotNumber() const { return place_.slot; }
  bool inSecondGroup() const { return place_.secondGroup; }

 protected:
  const SensorPlace& slot() const { return place_; }
  SensorData words() const { return SensorData(place_.words, place_.slot); }
  char decimalSeparator() const { return place_.decimalSeparator; }

  // Helpers for writers that add columns of their own after the items.
  void writeSlotNumberFields(RowWriter& out, int count) const;
  void writeTypeNameFields(RowWriter& out, int count) const;

 private:
  SensorPlace place_;
};

// A decoder whose items are all readings of one element type, kept in an array in item order and
// described by a table of ItemSpec. Concrete decoders add sensorType and update.
template <typename Element, std::size_t N>
class ItemTableSensor : public SensorStatus {
 public:
  int itemCount() const override { return static_cast<int>(N); }
  SensorValue currentValue(int item) const override {
    return has(item) ? values_[index(item)].currentValue(items_[index(item)]) : SensorValue();
  }
  SensorValue maxValue(int item) const override {
    return has(item) ? values_[index(item)].maxValue(items_[index(item)]) : SensorValue();
  }
  SensorValue minValue(int item) const override {
    return has(item) ? values_[index(item)].minValue(items_[index(item)]) : SensorValue();
  }
  const char* itemName(int item) const override {
    return has(item) ? items_[index(item)].name : "";
  }

 protected:
  ItemTableSensor(const SensorPlace& place, const std::array<ItemSpec, N>& items)
      : SensorStatus(place), items_(items) {}

  void record(int item, Element v) { values_[index(item)].record(v); }
  const TrackedValue<Element>& value(int item) const { return values_[index(item)]; }

 private:
  static bool has(int item) { return item >= 0 && static_cast<std::size_t>(item) < N; }
  static std::size_t index(int item) { return static_cast<std::size_t>(item); }

  const std::array<ItemSpec, N>& items_;
  std::array<TrackedValue<Element>, N> values_{};
};

}  // namespace trelvox
