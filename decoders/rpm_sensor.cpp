#include "decoders/rpm_sensor.h"

namespace trelvox {

void RpmSensorDecoder::update() {
  const std::int32_t count = words().littleEndianValue(0);
  record(0, count * 600 / kRatioHundredths);
}

}  // namespace trelvox
