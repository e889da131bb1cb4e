// libFuzzer target: any bytes, split into an information file and a data file, must convert
// without crashing, hanging or touching memory it does not own.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  trelvox::convertFuzzInput({data, size});
  return 0;
}
