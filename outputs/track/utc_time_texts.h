#pragma once

#include <chrono>
#include <optional>

#include "outputs/track/point_text.h"

namespace trelvox {

// "2024-05-01T14:05:05Z" texts of the points' times. Points come several times a second, so most
// share the text of the point before; each day's date is made once.
class UtcTimeTexts {
 public:
  const PointText& text(std::chrono::sys_seconds time);

 private:
  std::optional<std::chrono::sys_seconds> time_;
  PointText text_;
};

}  // namespace trelvox
