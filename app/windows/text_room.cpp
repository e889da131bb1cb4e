#include "app/windows/text_room.h"

#include <algorithm>

namespace trelvox {
namespace {

bool sharesLines(const ControlBox& a, const ControlBox& b) {
  return a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

TextRoom roomForTexts(std::span<const DialogText> texts, std::span<const ControlBox> others,
                      int clientWidth, int margin) {
  TextRoom room;
  std::vector<int> reach;
  for (const DialogText& text : texts) {
    int right = clientWidth;
    for (const ControlBox& other : others) {
      if (other.left >= text.box.left && sharesLines(text.box, other)) {
        right = std::min(right, other.left);
      }
    }
    reach.push_back(right - margin);
    room.addedWidth = std::max(room.addedWidth, text.box.left + text.textWidth - reach.back());
  }
  for (const int right : reach) room.textRights.push_back(right + room.addedWidth);
  for (const ControlBox& other : others) {
    const bool rightOfAText = std::ranges::any_of(
        texts, [&](const DialogText& text) { return other.left > text.box.left; });
    room.otherShifts.push_back(rightOfAText ? room.addedWidth : 0);
  }
  return room;
}

}  // namespace trelvox
