#pragma once
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>

// Calls job(0) to job(count - 1), each once, on a few threads, the caller's among them, and
// returns when all are done. For probes of many folders that mostly wait on the file system;
// each job must touch only its own results and state that is safe to share. Called from
// inside such a job it runs on the caller's thread alone: the outer threads keep the cores
// busy already, and a thread started now may wait long for the loader lock (under Wine, while
// the window system starts). A job that throws has failed and leaves its results unset; the
// count of those comes back.
std::size_t ForEachInParallel(std::size_t count, const std::function<void(std::size_t)>& job);

// Items that several threads may need at once, such as the origins of a data root: a thread
// that arrives while they are under way takes the next item instead of waiting for the
// others, so they are done in parallel even where no new thread can start.
class SharedItems {
 public:
  // Runs item(0) to item(count - 1), each once over all callers; the count of the first
  // call holds. Returns when every item is done.
  void Run(std::size_t count, const std::function<void(std::size_t)>& item);

 private:
  bool Claim(std::size_t& index);
  void Finished();

  std::mutex mutex_;
  std::condition_variable allDone_;
  std::size_t count_ = 0;
  std::size_t next_ = 0;
  std::size_t finished_ = 0;
  bool started_ = false;
};
