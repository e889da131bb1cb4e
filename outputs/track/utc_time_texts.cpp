#include "outputs/track/utc_time_texts.h"

#include <cstdint>

#include "outputs/text/date_text.h"
#include "outputs/text/number_text.h"
#include "outputs/text/xml_text.h"

namespace trelvox {

const PointText& UtcTimeTexts::text(std::chrono::sys_seconds time) {
  if (time == time_) return text_;
  const auto day = std::chrono::floor<std::chrono::days>(time);
  if (!time_ || day != std::chrono::floor<std::chrono::days>(*time_)) {
    text_.fill([&](char* out) { return writeText(out, utcTimeText(time)); });
  }
  time_ = time;
  // Only the time of day changes within a day: "hh:mm:ss" before the closing 'Z'.
  const auto seconds = static_cast<std::uint32_t>((time - day).count());
  char* clock = text_.bytes.data() + text_.size - 9;
  writeDigits(clock, seconds / 3600, 2);
  writeDigits(clock + 3, seconds / 60 % 60, 2);
  writeDigits(clock + 6, seconds % 60, 2);
  return text_;
}

}  // namespace trelvox
