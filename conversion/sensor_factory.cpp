#include "conversion/sensor_factory.h"

#include <array>

#include "sensors/nav60.h"
#include "sensors/powerbox.h"
#include "sensors/receiver.h"
#include "sensors/sensor_types.h"

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
    Registration{kPowerBox, create<PowerBoxStatus>},
    Registration{kNav60, create<NAV60_Status>},
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
