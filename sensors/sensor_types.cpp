#include "sensors/sensor_types.h"

#include <array>

namespace trelvox {
namespace {

struct TypeInfo {
  int id;
  std::string_view name;
  int slots;
};

// Names are written byte for byte, trailing blanks included.
constexpr std::array<TypeInfo, 30> kKnownTypes{{
    {kReceiver, "RECEIVER", 1},
    {kTemperatureSensor, "TEMPERATURE SENSOR", 1},
    {kVoltageSensor, "VOLTAGE SENSOR", 2},
    {kCurrentSensor, "CURRENT SENSOR", 3},
    {kRpmSensor, "RPM SENSOR", 1},
    {kAltitudeSensor, "ALTITUDE SENSOR", 3},
    {kGps, "GPS", 8},
    {kServoAdapter, "SERVO ADAPTER", 6},
    {kSpeedSensor, "SPEED SENSOR", 1},
    {kOrvaneEsc, "ORVANE ESC", 8},
    {kKora5, "KORA-5", 16},
    {kTemperatureQ3305, "TEMPERATURE Q3305 ", 1},
    {kGpsQ3303, "GPS Q3303  ", 8},
    {kVarioQ3302, "VARIO Q3302", 2},
    {kVarioQ3301, "VARIO Q3301", 2},
    {kCurrentQ3304, "CURRENT Q3304", 3},
    {kKosmik, "KOSMIK", 8},
    {kRoxxy, "ROXXY", 5},
    {kCastle, "CASTLE TL0", 8},
    {kJetCat, "JetCat V10", 16},
    {kPowerBox, "PowerBox", 16},
    {kTrueAirSpeed, "TrueAirSpeed", 1},
    {kScorpion, "Scorpion", 8},
    {kNav60, "NAV-60", 16},
    {kZr450, "ZR450", 7},
    {kHobbyWing, "HOBBYWING", 8},
    {kPx31, "PX-31", 30},
    {kPx32, "PX-32", 29},
    {kPx33, "PX-33", 30},
    {kPx34, "PX-34", 30},
}};

constexpr std::string_view kUnknownTypeName = "-----------";

const TypeInfo* find(int typeId) {
  for (const TypeInfo& info : kKnownTypes) {
    if (info.id == typeId) return &info;
  }
  return nullptr;
}

}  // namespace

std::string_view typeName(int typeId) {
  const TypeInfo* info = find(typeId);
  return info ? info->name : kUnknownTypeName;
}

int slotsOccupied(int typeId) {
  const TypeInfo* info = find(typeId);
  return info ? info->slots : 0;
}

}  // namespace trelvox
