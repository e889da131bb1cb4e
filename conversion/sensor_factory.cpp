#include "conversion/sensor_factory.h"

#include <array>

#include "sensors/altitude_sensors.h"
#include "sensors/castle.h"
#include "sensors/current_sensors.h"
#include "sensors/gps_sensors.h"
#include "sensors/hobbywing.h"
#include "sensors/jetcat.h"
#include "sensors/kora5.h"
#include "sensors/kosmik_scorpion.h"
#include "sensors/nav60.h"
#include "sensors/powerbox.h"
#include "sensors/px_engine_units.h"
#include "sensors/receiver.h"
#include "sensors/roxxy.h"
#include "sensors/rpm_sensor.h"
#include "sensors/sensor_types.h"
#include "sensors/servo_adapter.h"
#include "sensors/speed_sensors.h"
#include "sensors/temperature_sensors.h"
#include "sensors/voltage_sensor.h"
#include "sensors/zr450.h"

namespace trelvox {
namespace {

using Creator = std::unique_ptr<SensorStatus> (*)(const SensorPlace&);

template <typename Decoder>
std::unique_ptr<SensorStatus> create(const SensorPlace& place) {
  return std::make_unique<Decoder>(place);
}

struct Registration {
  int typeId;
  Creator creator;
};

// One line per decoder class.
constexpr std::array kDecoders{
    Registration{kReceiver, create<ReceiverStatus>},
    Registration{kTemperatureSensor, create<OrvaneTemperatureSensorStatus>},
    Registration{kTemperatureQ3305, create<Q3305_TemperatureSensorStatus>},
    Registration{kVoltageSensor, create<VoltageSensorStatus>},
    Registration{kRpmSensor, create<RevolutionSensorStatus>},
    Registration{kSpeedSensor, create<SpeedSensorStatus>},
    Registration{kTrueAirSpeed, create<TrueAirSpeedSensorStatus>},
    Registration{kAltitudeSensor, create<OrvaneAltitudeSensorStatus>},
    Registration{kVarioQ3302, create<Q3302_AltitudeSensorStatus>},
    Registration{kVarioQ3301, create<Q3301_AltitudeSensorStatus>},
    Registration{kGps, create<OrvaneGPS_Status>},
    Registration{kGpsQ3303, create<Q3303_GPS_Status>},
    Registration{kCurrentSensor, create<OrvaneCurrentSensorStatus>},
    Registration{kCurrentQ3304, create<Q3304_CurrentSensorStatus>},
    Registration{kServoAdapter, create<ServoAdapterStatus>},
    Registration{kKora5, create<KORA5_Status>},
    Registration{kKosmik, create<KosmikStatus>},
    Registration{kScorpion, create<ScorpionStatus>},
    Registration{kRoxxy, create<RoxxyStatus>},
    Registration{kOrvaneEsc, create<HobbyWingOrvaneStatus>},
    Registration{kHobbyWing, create<HobbyWingGenuineStatus>},
    Registration{kCastle, create<CastleStatus>},
    Registration{kJetCat, create<JetCatStatus>},
    Registration{kZr450, create<ZR450_SensorStatus>},
    Registration{kPowerBox, create<PowerBoxStatus>},
    Registration{kNav60, create<NAV60_Status>},
    Registration{kPx31, create<PX31_Status>},
    Registration{kPx32, create<PX32_Status>},
    Registration{kPx33, create<PX33_Status>},
    Registration{kPx34, create<PX34_Status>},
};

Creator creatorFor(int typeId) {
  for (const Registration& registration : kDecoders) {
    if (registration.typeId == typeId) return registration.creator;
  }
  return nullptr;
}

}  // namespace

std::unique_ptr<SensorStatus> createSensor(int typeId, const SensorPlace& place) {
  const Creator creator = creatorFor(typeId);
  return creator ? creator(place) : nullptr;
}

bool hasDecoder(int typeId) { return creatorFor(typeId) != nullptr; }

}  // namespace trelvox
