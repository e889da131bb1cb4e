#include "values/tracked_reading.h"

#include <array>

namespace trelvox {

double Reading::value() const {
  constexpr std::array<double, 10> kPowersOfTen{1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
  if (!present) return 0.0;
  const auto n = static_cast<double>(number);
  const int exponent = scale < 0 ? -scale : scale;
  const double power = kPowersOfTen[static_cast<std::size_t>(exponent > 9 ? 9 : exponent)];
  return scale < 0 ? n * power : n / power;
}

}  // namespace trelvox
