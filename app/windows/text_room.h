#pragma once

#include <span>
#include <vector>

namespace trelvox {

// A control's place in a dialog, in pixels of the dialog's client area.
struct ControlBox {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// A one-line text of a dialog and the width of its text in the font the control draws with.
struct DialogText {
  ControlBox box;
  int textWidth = 0;
};

// How a dialog makes room for texts that its template made too narrow for the font the system
// gives it. A text may reach the nearest other control to its right that shares its lines, or
// else the dialog's right edge, in either case less `margin`. When that is not enough the dialog
// grows by `addedWidth`, which moves the right edge and every other control right of a text's
// start (`otherShifts`, in the order given) to the right. Each text then gets all the room it
// may reach (`textRights`, in the order given).
struct TextRoom {
  int addedWidth = 0;
  std::vector<int> textRights;
  std::vector<int> otherShifts;
};
TextRoom roomForTexts(std::span<const DialogText> texts, std::span<const ControlBox> others,
                      int clientWidth, int margin);

}  // namespace trelvox
