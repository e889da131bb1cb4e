// Writes a large log for timing the command line: make_bench_log BASE RECORDS
#include <cstdlib>
#include <iostream>

#include "bench/full_group_log.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: make_bench_log BASE RECORDS\n";
    return 2;
  }
  trelvox::fullGroupLog(std::atoi(argv[2])).writeFiles(argv[1]);
  return 0;
}
