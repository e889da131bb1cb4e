#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <exception>
#include <future>
#include <system_error>
#include <thread>
#include <type_traits>
#include <vector>

namespace trelvox {

// `jobs`, fewer where that many conversions of `filesPerLog` files each would not all fit within
// the process's open-file limit (256 on macOS): past it, logs failed at random with a message that
// blamed their files. At least one.
std::size_t jobsWithinFileLimit(std::size_t jobs, std::size_t filesPerLog);

// Converts logs 0 .. count-1 with `convert(i)` on up to `threads` threads, one log per thread at a
// time, and hands each outcome to `report` in input order as soon as it and those before it are
// done, on the calling thread.
template <typename Convert, typename Report>
void convertInOrder(std::size_t count, std::size_t threads, Convert convert, Report report) {
  using Outcome = std::invoke_result_t<Convert&, std::size_t>;
  std::vector<std::promise<Outcome>> promises(count);
  std::vector<std::future<Outcome>> outcomes;
  for (auto& promise : promises) outcomes.push_back(promise.get_future());
  std::atomic<std::size_t> next{0};
  auto work = [&] {
    for (std::size_t i = next++; i < count; i = next++) {
      try {
        promises[i].set_value(convert(i));
      } catch (...) {
        promises[i].set_exception(std::current_exception());
      }
    }
  };
  std::vector<std::jthread> workers;
  try {
    const std::size_t started =
        std::clamp<std::size_t>(threads, 1, std::max<std::size_t>(count, 1));
    for (std::size_t t = 0; t < started; ++t) workers.emplace_back(work);
  } catch (const std::system_error&) {
    // The system gives no more threads: those started do the work, or else this one.
    if (workers.empty()) work();
  }
  for (auto& outcome : outcomes) report(outcome.get());
}

}  // namespace trelvox
