#pragma once

#include <array>
#include <memory>
#include <stdexcept>
#include <string_view>

#include "decoders/altitude_sensors.h"
#include "decoders/castle.h"
#include "decoders/current_sensors.h"
#include "decoders/decoder.h"
#include "decoders/gps_sensors.h"
#include "decoders/hobbywing.h"
#include "decoders/jetcat.h"
#include "decoders/kora5.h"
#include "decoders/kosmik_scorpion.h"
#include "decoders/nav60.h"
#include "decoders/powerbox.h"
#include "decoders/px_engine_units.h"
#include "decoders/receiver.h"
#include "decoders/roxxy.h"
#include "decoders/rpm_sensor.h"
#include "decoders/servo_adapter.h"
#include "decoders/speed_sensors.h"
#include "decoders/temperature_sensors.h"
#include "decoders/voltage_sensor.h"
#include "decoders/zr450.h"

namespace trelvox {

template <typename D>
std::unique_ptr<Decoder> makeDecoder(const DecoderPlace& place) {
  return std::make_unique<D>(place);
}

// Every sensor type a slot map can name, one row each: ID, the name header row 2 shows (byte for
// byte, trailing blanks included), the slots it occupies and its decoder. Every other ID is
// unknown: it occupies no slot and has no decoder.
inline constexpr std::array<DecoderType, 30> kDecoderTypes{{
    {kReceiverTypeId, "RECEIVER", 1, makeDecoder<ReceiverDecoder>},
    {1, "TEMPERATURE SENSOR", 1, makeDecoder<OrvaneTemperatureSensorDecoder>},
    {2, "VOLTAGE SENSOR", 2, makeDecoder<VoltageSensorDecoder>},
    {3, "CURRENT SENSOR", 3, makeDecoder<OrvaneCurrentSensorDecoder>},
    {4, "RPM SENSOR", 1, makeDecoder<RpmSensorDecoder>},
    {6, "ALTITUDE SENSOR", 3, makeDecoder<OrvaneAltitudeSensorDecoder>},
    {7, "GPS", 8, makeDecoder<OrvaneGpsDecoder>},
    {8, "SERVO ADAPTER", 6, makeDecoder<ServoAdapterDecoder>},
    {9, "SPEED SENSOR", 1, makeDecoder<SpeedSensorDecoder>},
    {10, "ORVANE ESC", 8, makeDecoder<OrvaneEscDecoder>},
    {12, "KORA-5", 16, makeDecoder<Kora5Decoder>},
    {128, "TEMPERATURE Q3305 ", 1, makeDecoder<Q3305TemperatureSensorDecoder>},
    {129, "GPS Q3303  ", 8, makeDecoder<Q3303GpsDecoder>},
    {130, "VARIO Q3302", 2, makeDecoder<Q3302VarioDecoder>},
    {131, "VARIO Q3301", 2, makeDecoder<Q3301VarioDecoder>},
    {132, "CURRENT Q3304", 3, makeDecoder<Q3304CurrentSensorDecoder>},
    {133, "KOSMIK", 8, makeDecoder<KosmikDecoder>},
    {134, "ROXXY", 5, makeDecoder<RoxxyDecoder>},
    {135, "CASTLE TL0", 8, makeDecoder<CastleDecoder>},
    {136, "JetCat V10", 16, makeDecoder<JetCatDecoder>},
    {137, "PowerBox", 16, makeDecoder<PowerBoxDecoder>},
    {138, "TrueAirSpeed", 1, makeDecoder<TrueAirSpeedDecoder>},
    {139, "Scorpion", 8, makeDecoder<ScorpionDecoder>},
    {141, "NAV-60", 16, makeDecoder<Nav60Decoder>},
    {142, "ZR450", 7, makeDecoder<Zr450Decoder>},
    {145, "HOBBYWING", 8, makeDecoder<HobbyWingDecoder>},
    {146, "PX-31", 30, makeDecoder<Px31Decoder>},
    {149, "PX-32", 29, makeDecoder<Px32Decoder>},
    {151, "PX-33", 30, makeDecoder<Px33Decoder>},
    {152, "PX-34", 30, makeDecoder<Px34Decoder>},
}};

// The row of `typeId`, or nullptr for an unknown type.
constexpr const DecoderType* findDecoderType(int typeId) {
  for (const DecoderType& type : kDecoderTypes) {
    if (type.id == typeId) return &type;
  }
  return nullptr;
}

// The ID of the type whose decoder is D. (Not a constant expression: sanitizer builds cannot
// compare function addresses at compile time.)
template <typename D>
int typeIdOf() {
  for (const DecoderType& type : kDecoderTypes) {
    if (type.create == &makeDecoder<D>) return type.id;
  }
  throw std::logic_error("no registry row for this decoder");
}

// The name written in header row 2 for a type; "-----------" for an unknown type.
std::string_view typeName(int typeId);

// How many consecutive slots a sensor of this type occupies; 0 for an unknown type.
int slotsOccupied(int typeId);

// A decoder for the sensor of `typeId` at `firstSlot`, reading `words`; nullptr for an unknown
// type.
std::unique_ptr<Decoder> createDecoder(int typeId, SlotWords words, int firstSlot);

}  // namespace trelvox
