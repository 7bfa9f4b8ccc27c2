#include "common/parallel.h"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>
#include <vector>

namespace {

// The jobs mostly wait on the file system, so two cores keep four threads busy; more gain
// nothing while the disk answers one request at a time.
constexpr unsigned kThreads = 4;

}  // namespace

void ForEachInParallel(std::size_t count, const std::function<void(std::size_t)>& job) {
  std::atomic<std::size_t> next{0};
  const auto work = [&] {
    for (std::size_t i; (i = next++) < count;) job(i);
  };
  std::vector<std::thread> helpers;
  for (std::size_t i = 1; i < std::min<std::size_t>(kThreads, count); ++i) {
    try {
      helpers.emplace_back(work);
    } catch (const std::system_error&) {
      break;  // the caller's thread does the rest
    }
  }
  work();
  for (std::thread& helper : helpers) helper.join();
}
