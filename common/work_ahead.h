#pragma once
#include <functional>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>

// One job worked out on a thread of its own while the caller gets on with something slow,
// such as making the window; its result is handed over once.
template <typename Result>
class WorkAhead {
 public:
  WorkAhead() = default;
  WorkAhead(const WorkAhead&) = delete;
  WorkAhead& operator=(const WorkAhead&) = delete;
  ~WorkAhead() { Wait(); }

  void Start(std::function<Result()> job) {
    Wait();
    result_.reset();
    job_ = std::move(job);
    try {
      thread_ = std::thread([this] {
        try {
          result_ = job_();
        } catch (...) {
          // Nothing may end the program from here: Take does the job again on its caller.
        }
      });
    } catch (const std::system_error&) {
      // No thread: Take does the job.
    }
  }

  // Waits for the job, or does it now when no thread could; nothing if it was never started
  // or was taken already.
  std::optional<Result> Take() {
    Wait();
    if (!result_ && job_) result_ = job_();
    job_ = nullptr;
    return std::exchange(result_, std::nullopt);
  }

 private:
  void Wait() {
    if (thread_.joinable()) thread_.join();
  }

  std::function<Result()> job_;
  std::optional<Result> result_;
  std::thread thread_;
};
