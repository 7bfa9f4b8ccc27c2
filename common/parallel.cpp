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

thread_local bool t_insideJob = false;

struct InsideJob {
  InsideJob() { t_insideJob = true; }
  ~InsideJob() { t_insideJob = false; }
};

}  // namespace

std::size_t ForEachInParallel(std::size_t count, const std::function<void(std::size_t)>& job) {
  std::atomic<std::size_t> failed{0};
  const auto run = [&](std::size_t i) {
    try {
      job(i);
    } catch (...) {
      ++failed;  // an exception leaving a thread would end the program
    }
  };
  if (t_insideJob) {
    for (std::size_t i = 0; i < count; ++i) run(i);
    return failed;
  }
  std::atomic<std::size_t> next{0};
  const auto work = [&] {
    const InsideJob inside;
    for (std::size_t i; (i = next++) < count;) run(i);
  };
  {
    // Joined when the block ends, on every path.
    std::vector<std::jthread> helpers;
    for (std::size_t i = 1; i < std::min<std::size_t>(kThreads, count); ++i) {
      try {
        helpers.emplace_back(work);
      } catch (const std::system_error&) {
        break;  // the caller's thread does the rest
      }
    }
    work();
  }
  return failed;
}

void SharedItems::Run(std::size_t count, const std::function<void(std::size_t)>& item) {
  {
    const std::lock_guard lock(mutex_);
    if (!started_) count_ = count;
    started_ = true;
  }
  ForEachInParallel(count, [&](std::size_t) {
    std::size_t index = 0;
    if (!Claim(index)) return;
    // Counted as done even if it throws: the other callers must not wait for it forever.
    const struct Done {
      SharedItems& items;
      ~Done() { items.Finished(); }
    } done{*this};
    item(index);
  });
  std::unique_lock lock(mutex_);
  allDone_.wait(lock, [this] { return finished_ == count_; });
}

bool SharedItems::Claim(std::size_t& index) {
  const std::lock_guard lock(mutex_);
  if (next_ >= count_) return false;
  index = next_++;
  return true;
}

void SharedItems::Finished() {
  const std::lock_guard lock(mutex_);
  if (++finished_ == count_) allDone_.notify_all();
}
