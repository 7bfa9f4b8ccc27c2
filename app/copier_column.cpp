#include "app/copier_column.h"

#include <algorithm>
#include <cstring>

#include "common/message_ids.h"
#include "common/parallel.h"
#include "common/path_text.h"
#include "common/winmsg.h"
#include "terminal/data_folder_map.h"
#include "terminal/mt_assist.h"

namespace {

constexpr auto kWatchLength = std::chrono::minutes(2);
constexpr UINT kWatchPeriodMs = 2000;

struct ShortText {
  const char* code;
  int message;
};
constexpr ShortText kShortTexts[] = {
    {"files-missing", msg::kCopierShortFilesMissing},
    {"library-version", msg::kCopierShortLibraryVersion},
    {"not-on-chart", msg::kCopierShortNotOnChart},
    {"autotrading-off", msg::kCopierShortAutoTradingOff},
    {"dll-imports-off", msg::kCopierShortDllImportsOff},
    {"dll-calls-blocked", msg::kCopierShortDllCallsBlocked},
    {"init-failed", msg::kCopierShortInitFailed},
    {"stopped", msg::kCopierShortStopped},
    {"trading-not-allowed", msg::kCopierShortTradingNotAllowed},
    {"terminal-not-running", msg::kCopierShortTerminalNotRunning},
};

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

std::string LocalClockText() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  char clock[16] = {};
  snprintf(clock, sizeof clock, "%02u:%02u:%02u", now.wHour, now.wMinute, now.wSecond);
  return clock;
}

namespace {

// The EA has answered the watch: it initialised, failed or stopped after the restart.
// The closing that preceded the restart (reason 9) may share its second: it is no answer.
bool Answered(const EaLogVerdict& log, const std::string& since) {
  const bool closing = log.state == EaLogState::kStopped && log.uninitReason == 9;
  return log.state != EaLogState::kUnknown && log.state != EaLogState::kLoaded && !closing && log.since >= since;
}

// Each pass looks at the running terminals once, with a scan of its own: the window's scan
// lists belong to its thread.
std::vector<std::wstring> RunningExePaths() {
  CMTAssist scan;
  scan.RunningTerminalPaths();
  return scan.exePaths;
}

}  // namespace

std::wstring CopierColumnText(const Health& health) {
  if (health.state == HealthState::kRunning) {
    return ReplaceAll(g_lang.GetText(msg::kCopierRunningOn), L"{0}", Widen(health.chart));
  }
  if (health.problems.empty()) return g_lang.GetText(msg::kCopierNoRunLogged);
  const HealthProblem& first = health.problems.front();
  for (const ShortText& text : kShortTexts) {
    if (std::strcmp(text.code, first.code) != 0) continue;
    return ReplaceAll(g_lang.GetText(text.message), L"{0}", std::to_wstring(health.uninitReason));
  }
  return g_lang.GetText(first.message);
}

std::wstring ProblemText(const HealthProblem& problem, int uninitReason) {
  return ReplaceAll(g_lang.GetText(problem.message), L"{0}", std::to_wstring(uninitReason));
}

void CopierColumn::SetTargets(CopierTarget provider, CopierTarget receiver) {
  provider_ = std::move(provider);
  receiver_ = std::move(receiver);
}

const CopierTarget* CopierColumn::TargetOf(const std::wstring& roleWord) const {
  const CopierTarget* target = nullptr;
  if (roleWord == g_lang.GetText(msg::kRoleProvider)) target = &provider_;
  if (roleWord == g_lang.GetText(msg::kRoleReceiver)) target = &receiver_;
  return target && !target->eaName.empty() ? target : nullptr;
}

void CopierColumn::CheckRows(const TerminalRows& rows) {
  std::vector<Job> jobs;
  for (const TerminalEntry& row : rows.rows) {
    const CopierTarget* target = TargetOf(row.role);
    if (target && !row.unavailable) jobs.push_back({row.installFolder, *target});
  }
  Queue(std::move(jobs));
}

void CopierColumn::Watch(const std::wstring& installFolder, const CopierTarget& target, const std::string& since) {
  watched_[RowKey(installFolder)] = {{installFolder, target}, std::chrono::steady_clock::now() + kWatchLength, since};
  if (window_) SetTimer(window_, kWatchTimer, kWatchPeriodMs, nullptr);
}

bool CopierColumn::Queued(const std::wstring& key) {
  const std::lock_guard lock(mutex_);
  return std::any_of(jobs_.begin(), jobs_.end(), [&](const Job& job) { return RowKey(job.folder) == key; });
}

void CopierColumn::OnWatchTimer() {
  if (watched_.empty()) {
    if (window_) KillTimer(window_, kWatchTimer);
    return;
  }
  std::vector<Job> jobs;
  for (const auto& [key, watch] : watched_) {
    if (!Queued(key)) jobs.push_back(watch.job);
  }
  Queue(std::move(jobs));
}

void CopierColumn::Queue(std::vector<Job> jobs) {
  if (jobs.empty()) return;
  {
    const std::lock_guard lock(mutex_);
    for (Job& job : jobs) jobs_.push_back(std::move(job));
  }
  if (!worker_.joinable()) worker_ = std::jthread([this](std::stop_token stop) { Work(stop); });
  wake_.notify_all();
}

void CopierColumn::Work(std::stop_token stop) {
  // Below the window's priority: the list stays quick to use while the logs are read.
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
  while (!stop.stop_requested()) {
    std::vector<Job> batch;
    {
      std::unique_lock lock(mutex_);
      if (!wake_.wait(lock, stop, [this] { return !jobs_.empty(); })) return;
      batch.assign(std::make_move_iterator(jobs_.begin()), std::make_move_iterator(jobs_.end()));
      jobs_.clear();
    }
    const std::vector<std::wstring> running = RunningExePaths();
    const DataFolderMap dataFolders(CMTAssist::DataFolderRoot());
    std::vector<Done> results(batch.size());
    ForEachInParallel(batch.size(), [&](std::size_t i) {
      if (stop.stop_requested()) return;
      results[i] = {batch[i].folder, CheckCopier(batch[i].folder, batch[i].target, running, dataFolders)};
    });
    {
      const std::lock_guard lock(mutex_);
      for (Done& done : results) done_.push_back(std::move(done));
    }
    if (window_) PostMessageW(window_, kCheckedMessage, 0, 0);
  }
}

std::wstring CopierColumn::TextOf(const std::wstring& key, const CopierCheck& check) {
  const auto watch = watched_.find(key);
  if (watch == watched_.end()) return CopierColumnText(check.health);
  if (Answered(check.facts.log, watch->second.since) || std::chrono::steady_clock::now() >= watch->second.until) {
    watched_.erase(watch);
    return CopierColumnText(check.health);
  }
  return g_lang.GetText(msg::kCopierWaitingForEa);
}

bool CopierColumn::TakeResults(TerminalRows& rows) {
  std::vector<Done> done;
  {
    const std::lock_guard lock(mutex_);
    done.swap(done_);
  }
  for (const Done& result : done) {
    const std::wstring key = RowKey(result.folder);
    const std::wstring text = TextOf(key, result.check);
    for (TerminalEntry& row : rows.rows) {
      if (RowKey(row.installFolder) == key) row.copier = text;
    }
  }
  return !done.empty();
}
