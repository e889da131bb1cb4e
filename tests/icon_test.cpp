// The committed program icon must be what its generator draws, so that its bytes have a known
// origin and a change of the drawing shows up here.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string fileBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(ProgramIcon, CommittedIconIsTheGeneratorsOutput) {
  const std::filesystem::path generated =
      std::filesystem::temp_directory_path() / "trelvox-icon-test.ico";
  const std::string command = std::string(TRELVOX_MAKE_ICON) + " " + generated.string();
  ASSERT_EQ(std::system(command.c_str()), 0);
  const std::string committed =
      fileBytes(std::filesystem::path(TRELVOX_SOURCE_DIR) / "resources" / "trelvox.ico");
  EXPECT_EQ(committed.size(), 5430u);
  EXPECT_TRUE(fileBytes(generated) == committed) << "regenerate: make_icon resources/trelvox.ico";
  std::filesystem::remove(generated);
}

}  // namespace
