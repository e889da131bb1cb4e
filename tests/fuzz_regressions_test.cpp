#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "tests/temp_folder.h"

namespace trelvox {
namespace {

// Every input the fuzzer once found a fault with converts cleanly now (the sanitizer build
// checks that it does so without touching memory it does not own).
TEST(FuzzRegressions, KeptInputsConvert) {
  const std::filesystem::path folder =
      std::filesystem::path(TRELVOX_SOURCE_DIR) / "fuzz/regressions";
  int replayed = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    const std::string bytes = readFile(entry.path());
    const std::vector<std::uint8_t> input(bytes.begin(), bytes.end());
    EXPECT_NO_THROW(convertFuzzInput(input)) << entry.path();
    ++replayed;
  }
  EXPECT_GT(replayed, 0) << "no kept inputs in " << folder;
}

}  // namespace
}  // namespace trelvox
