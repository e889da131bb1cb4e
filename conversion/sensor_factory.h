#pragma once

#include <memory>

#include "sensors/sensor_status.h"

namespace trelvox {

// Builds the decoder of a sensor type at its place, or nothing for a type without a decoder.
std::unique_ptr<SensorStatus> createSensor(int typeId, const SensorPlace& place);

// Whether a decoder exists for this type.
bool hasDecoder(int typeId);

}  // namespace trelvox
