#pragma once

#include <cstdint>

#include "sensors/value_format.h"
#include "sensors/value_text.h"

namespace trelvox {

// One reading ready to be shown: the raw number, its decimal scale (value = number / 10^scale, or
// number * 10^-scale for a negative scale) and the item's format. A reading that never arrived is
// not valid and shows as "---".
class SensorValue {
 public:
  SensorValue() = default;
  SensorValue(std::int64_t number, int scale, const ValueFormat& format)
      : number_(number), scale_(scale), format_(&format), valid_(true) {}
  static SensorValue missing(int scale, const ValueFormat& format) {
    SensorValue value(0, scale, format);
    value.valid_ = false;
    return value;
  }

  bool isValid() const { return valid_; }
  std::int64_t number() const { return number_; }
  int scale() const { return scale_; }
  const ValueFormat& format() const { return *format_; }

  // The value in its own unit, 0.0 when there is none.
  double toDouble() const;

  // Appends the fixed-width text of the value. The integer part, with its sign, is right-aligned in
  // the format's width; digits that need more room widen the text rather than being dropped. A
  // negative number always shows '-'. Decimals follow `decimalSeparator`.
  void toText(ValueText& text, char decimalSeparator) const;

 private:
  static const ValueFormat kDefaultFormat;

  std::int64_t number_ = 0;
  int scale_ = 0;
  const ValueFormat* format_ = &kDefaultFormat;
  bool valid_ = true;
};

// The standard current text: the value's text, or "---" when there is none.
void writeCurrentText(const SensorValue& value, ValueText& text, char decimalSeparator);
// The standard range text: "smallest/largest", or "---" while the largest holds no value.
void writeRangeText(const SensorValue& lowest, const SensorValue& highest, ValueText& text,
                    char decimalSeparator);

}  // namespace trelvox
