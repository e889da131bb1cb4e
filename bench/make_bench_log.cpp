// Writes a large log for timing the command line: make_bench_log BASE RECORDS [random]
// Every decoder sits in group 0; "random" leaves the slot words plain random numbers instead of
// setting every validity bit.
#include <cstdlib>
#include <iostream>
#include <string_view>

#include "bench/full_group_log.h"

int main(int argc, char** argv) {
  const bool random = argc == 4 && std::string_view(argv[3]) == "random";
  if (argc != 3 && !random) {
    std::cerr << "usage: make_bench_log BASE RECORDS [random]\n";
    return 2;
  }
  trelvox::fullGroupLog(std::atoi(argv[2]), random ? 0 : 0xC0C0).writeFiles(argv[1]);
  return 0;
}
