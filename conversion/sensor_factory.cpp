#include "conversion/sensor_factory.h"

#include <array>

#include "sensors/px_engine_units.h"
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
    Registration{kReceiver, create<ReceiverStatus>}, Registration{kPx31, create<PX31_Status>},
    Registration{kPx32, create<PX32_Status>},        Registration{kPx33, create<PX33_Status>},
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
