#pragma once

#include <cstdint>
#include <string_view>

namespace trelvox {

// The sensor type IDs a slot map can name. Every other ID is unknown: it occupies no slot and has
// no decoder.
enum SensorTypeId : int {
  kReceiver = 0,
  kTemperatureSensor = 1,
  kVoltageSensor = 2,
  kCurrentSensor = 3,
  kRpmSensor = 4,
  kAltitudeSensor = 6,
  kGps = 7,
  kServoAdapter = 8,
  kSpeedSensor = 9,
  kOrvaneEsc = 10,
  kKora5 = 12,
  kTemperatureQ3305 = 128,
  kGpsQ3303 = 129,
  kVarioQ3302 = 130,
  kVarioQ3301 = 131,
  kCurrentQ3304 = 132,
  kKosmik = 133,
  kRoxxy = 134,
  kCastle = 135,
  kJetCat = 136,
  kPowerBox = 137,
  kTrueAirSpeed = 138,
  kScorpion = 139,
  kNav60 = 141,
  kZr450 = 142,
  kHobbyWing = 145,
  kPx31 = 146,
  kPx32 = 149,
  kPx33 = 151,
  kPx34 = 152,
};

// The name written in header row 2 for a type; "-----------" for an unknown type.
std::string_view typeName(int typeId);

// How many consecutive slots a sensor of this type occupies; 0 for an unknown type.
int slotsOccupied(int typeId);

}  // namespace trelvox
