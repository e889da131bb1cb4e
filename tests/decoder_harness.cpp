#include "tests/decoder_harness.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/csv_table.h"

namespace trelvox {

void expectWordTexts(int typeId, int firstSlot, SlotWord frameWord,
                     std::span<const WordCase> cases) {
  for (const WordCase& c : cases) {
    SCOPED_TRACE(c.column + std::string(" ") + std::to_string(c.raw));
    LogBuilder log = logWithSensor(firstSlot, typeId);
    log.record().word(frameWord.slot, frameWord.value).word(firstSlot + c.word, c.raw);
    EXPECT_THAT(convert(log).column(c.column), ::testing::ElementsAre(c.text));
  }
}

}  // namespace trelvox
