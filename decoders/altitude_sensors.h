#pragma once

#include <array>
#include <cstdint>

#include "decoders/decoder.h"
#include "decoders/reference_altitude.h"

namespace trelvox {

// What one record of an altitude or vario sensor says. `altitude` carries the sensor's own offset,
// which the reference cancels. Eight bytes, so that decode returns it in one register.
struct AltitudeReading {
  std::int32_t altitude;
  std::int16_t variometer;
  bool valid;
};

// The maker's barometric sensors: a height and a climb rate. The ALTITUDE column is the height
// above the first valid reading of the log, not the height the sensor reports. The models differ
// only in where their bits lie (decode) and in their column tables.
class AltitudeSensorDecoder : public ItemDecoder<2> {
 public:
  void update() final;
  // Takes the current record's altitude as the reference if the record is valid and no reference
  // has been taken yet.
  void setReferenceAltitude();

 protected:
  static constexpr std::array<Column, 2> altitudeColumns(std::int8_t heightScale,
                                                         std::uint8_t heightWidth,
                                                         std::int8_t climbScale,
                                                         std::uint8_t climbWidth) {
    return {{
        {.name = "ALTITUDE",
         .unit = "m",
         .quantity = Quantity::kHeight,
         .scale = heightScale,
         .format = {.width = heightWidth, .decimals = static_cast<std::uint8_t>(heightScale)}},
        {.name = "VARIOMETER",
         .unit = "m/s",
         .quantity = Quantity::kClimb,
         .scale = climbScale,
         .format = {.width = climbWidth,
                    .decimals = static_cast<std::uint8_t>(climbScale),
                    .plusSign = true}},
    }};
  }
  AltitudeSensorDecoder(const DecoderPlace& place, const std::array<Column, 2>& columns)
      : ItemDecoder(place, columns) {}
  virtual AltitudeReading decode() const = 0;

 private:
  ReferenceAltitude<std::int16_t> referenceAltitude_;
};

// The altitude sensor: its fields are packed as a bit stream over three words, in 0.1 m and
// 0.1 m/s.
class OrvaneAltitudeSensorDecoder final : public AltitudeSensorDecoder {
 public:
  static constexpr auto kColumns = altitudeColumns(1, 4, 1, 4);
  explicit OrvaneAltitudeSensorDecoder(const DecoderPlace& place)
      : AltitudeSensorDecoder(place, kColumns) {}

 private:
  AltitudeReading decode() const override;
};

// The two vario models share one word layout (climb rate in word 0, height in whole metres and the
// validity bit in word 1); Q3301 counts the climb rate in 0.01 m/s, Q3302 in 0.1 m/s.
class Q3302VarioDecoder final : public AltitudeSensorDecoder {
 public:
  static constexpr auto kColumns = altitudeColumns(0, 5, 1, 4);
  explicit Q3302VarioDecoder(const DecoderPlace& place) : AltitudeSensorDecoder(place, kColumns) {}

 private:
  AltitudeReading decode() const override;
};

class Q3301VarioDecoder final : public AltitudeSensorDecoder {
 public:
  static constexpr auto kColumns = altitudeColumns(0, 5, 2, 3);
  explicit Q3301VarioDecoder(const DecoderPlace& place) : AltitudeSensorDecoder(place, kColumns) {}

 private:
  AltitudeReading decode() const override;
};

}  // namespace trelvox
