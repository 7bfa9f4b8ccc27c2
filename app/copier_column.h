#pragma once
#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/terminal_rows.h"
#include "engine/copier_check.h"

// A terminal a run started again, and the local time ("HH:MM:SS") just before it started: only
// later events of its logs answer for it.
struct StartedTerminal {
  std::wstring exe;
  std::string since;
};
std::string LocalClockText();

// The Copier column: the rows with a role are checked on a thread of the window's own once
// the list shows, so neither the start-up nor a Refresh waits for their logs; a terminal that a
// run started again is watched until its EA initialises or fails, for two minutes at most.
class CopierColumn {
 public:
  static constexpr UINT kCheckedMessage = WM_APP + 40;
  static constexpr UINT_PTR kWatchTimer = 3;

  CopierColumn() = default;
  CopierColumn(const CopierColumn&) = delete;
  CopierColumn& operator=(const CopierColumn&) = delete;

  void Attach(HWND window) { window_ = window; }
  // What each role's copier should look like; a row whose role has no EA name is not checked.
  void SetTargets(CopierTarget provider, CopierTarget receiver);
  const CopierTarget* TargetOf(const std::wstring& roleWord) const;

  void CheckRows(const TerminalRows& rows);
  // A terminal the run started again: its row waits for the EA's answer in the logs.
  void Watch(const std::wstring& installFolder, const CopierTarget& target, const std::string& since);
  // Moves the finished checks into their rows; false when none was there.
  bool TakeResults(TerminalRows& rows);
  // The timer's turn: the watched rows are checked again.
  void OnWatchTimer();

 private:
  struct Job {
    std::wstring folder;
    CopierTarget target;
  };
  struct Done {
    std::wstring folder;
    CopierCheck check;
  };
  struct Watched {
    Job job;
    std::chrono::steady_clock::time_point until;
    std::string since;
  };
  void Queue(std::vector<Job> jobs);
  void Work(std::stop_token stop);
  std::wstring TextOf(const std::wstring& key, const CopierCheck& check);
  bool Queued(const std::wstring& key);

  HWND window_ = nullptr;
  CopierTarget provider_;
  CopierTarget receiver_;
  std::map<std::wstring, Watched> watched_;  // by row key; the window's thread only
  std::mutex mutex_;
  std::condition_variable_any wake_;
  std::deque<Job> jobs_;
  std::vector<Done> done_;
  std::jthread worker_;
};

// The column's words for a check: "Running EURUSD,H1", the first problem's short text, or that
// no run of the EA is logged yet.
std::wstring CopierColumnText(const Health& health);
// What to do about a problem, its uninit reason filled in.
std::wstring ProblemText(const HealthProblem& problem, int uninitReason);
