#include "app/windows/text_room.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace trelvox {
namespace {

using ::testing::ElementsAre;

// The About box in pixels of a font wider than the template's: the icon at the left, the version
// beside the OK button, the notice below it.
constexpr ControlBox kIcon{16, 25, 46, 55};
constexpr ControlBox kOkButton{267, 11, 342, 35};
constexpr ControlBox kVersion{60, 15, 238, 27};
constexpr ControlBox kNotice{60, 37, 262, 49};
constexpr int kClientWidth = 352;
constexpr int kMargin = 10;

TEST(DialogTextRoom, TextsThatFitGetTheRoomBesideThemAndTheDialogStays) {
  const DialogText texts[] = {{kVersion, 150}, {kNotice, 250}};
  const ControlBox others[] = {kIcon, kOkButton};
  const TextRoom room = roomForTexts(texts, others, kClientWidth, kMargin);
  EXPECT_EQ(room.addedWidth, 0);
  // The version reaches the OK button, the notice below it the dialog's edge.
  EXPECT_THAT(room.textRights, ElementsAre(257, 342));
  EXPECT_THAT(room.otherShifts, ElementsAre(0, 0));
}

TEST(DialogTextRoom, ATextWiderThanItsRoomWidensTheDialogAndMovesWhatIsRightOfIt) {
  const struct {
    int versionWidth;
    int noticeWidth;
    int addedWidth;
  } cases[] = {
      {150, 300, 18},  // the notice is longer than the dialog is wide: "...into CSV" cut off
      {220, 250, 23},  // the version runs into the OK button
      {220, 300, 23},  // both: the larger need counts
      {197, 282, 0},   // exactly as much as there is room for
  };
  for (const auto& c : cases) {
    const DialogText texts[] = {{kVersion, c.versionWidth}, {kNotice, c.noticeWidth}};
    const ControlBox others[] = {kIcon, kOkButton};
    const TextRoom room = roomForTexts(texts, others, kClientWidth, kMargin);
    EXPECT_EQ(room.addedWidth, c.addedWidth) << c.versionWidth << ' ' << c.noticeWidth;
    EXPECT_THAT(room.textRights, ElementsAre(257 + c.addedWidth, 342 + c.addedWidth));
    EXPECT_THAT(room.otherShifts, ElementsAre(0, c.addedWidth));
    EXPECT_GE(room.textRights[0] - kVersion.left, c.versionWidth);
    EXPECT_GE(room.textRights[1] - kNotice.left, c.noticeWidth);
  }
}

}  // namespace
}  // namespace trelvox
