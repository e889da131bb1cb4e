#include "conversion/write_behind.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/string_sink.h"

namespace trelvox {
namespace {

// Bytes that differ from one position to the next, so a block out of order or twice shows.
std::string patternOf(std::size_t size) {
  std::string text(size, '\0');
  for (std::size_t i = 0; i < size; ++i) text[i] = static_cast<char>('a' + (i * 7 + i / 251) % 26);
  return text;
}

// Writes that fall short of, end on and run across the blocks handed to the thread.
TEST(WriteBehind, EveryByteIsWrittenInOrderWhenFinishReturns) {
  constexpr std::size_t kBlock = 256 * 1024;  // what the writer hands over at a time
  const struct {
    const char* name;
    std::size_t writeSize;
    std::size_t total;
  } cases[] = {
      {"nothing", 1, 0},
      {"a few bytes", 3, 10},
      {"blocks of 64 KiB", 64 * 1024, 5 * kBlock},
      {"exactly one block", kBlock, kBlock},
      {"one block and a byte", kBlock + 1, kBlock + 1},
      {"writes across blocks", 333'333, 4 * kBlock + 17},
      {"one write of several blocks", 3 * kBlock + 5, 3 * kBlock + 5},
  };
  for (const auto& c : cases) {
    const std::string expected = patternOf(c.total);
    StringSink target;
    WriteBehind writer(target);
    for (std::size_t at = 0; at < c.total; at += c.writeSize) {
      writer.write(std::string_view(expected).substr(at, c.writeSize));
    }
    writer.finish();
    EXPECT_EQ(target.text, expected) << c.name;
  }
}

// A sink that takes `goodWrites` writes and fails from then on.
class FailingSink final : public ByteSink {
 public:
  explicit FailingSink(int goodWrites) : goodWrites_(goodWrites) {}
  void write(std::span<const char> bytes) override {
    if (goodWrites_-- <= 0) throw std::runtime_error("disk full");
    written += bytes.size();
  }
  std::size_t written = 0;

 private:
  int goodWrites_;
};

// A failure on the thread reaches the caller, by a later write or by finish, and ends the writing:
// nothing after it is written.
TEST(WriteBehind, AFailureReachesTheCallerAndStopsTheWriting) {
  const std::string block = patternOf(256 * 1024);  // one block handed over
  for (const int goodWrites : {0, 1, 2}) {
    FailingSink target(goodWrites);
    std::string message;
    {
      WriteBehind writer(target);
      try {
        for (int i = 0; i < 6; ++i) writer.write(block);
        writer.finish();
      } catch (const std::runtime_error& e) {
        message = e.what();
      }
    }
    EXPECT_EQ(message, "disk full") << goodWrites;
    EXPECT_EQ(target.written, static_cast<std::size_t>(goodWrites) * block.size());
  }
}

// Leaving without finishing, as a failed conversion does, must not wait forever.
TEST(WriteBehind, EndsWithoutFinishing) {
  const std::string handed = patternOf(3 * 1024 * 1024);
  StringSink target;
  {
    WriteBehind writer(target);
    writer.write(handed);
  }
  EXPECT_EQ(target.text, handed.substr(0, target.text.size()));
}

}  // namespace
}  // namespace trelvox
