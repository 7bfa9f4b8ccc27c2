#include "terminal/copier_health_text.h"

#include "common/message_ids.h"

namespace {

// The terminal writes experts.ini only when it exits: a later AutoTrading line of today's log
// is the fresher word.
std::optional<bool> AutoTradingOf(const HealthFacts& facts) {
  if (facts.log.autoTrading && (facts.optionsTime.empty() || facts.log.autoTradingTime >= facts.optionsTime)) {
    return facts.log.autoTrading;
  }
  if (facts.options) return facts.options->autoTrading;
  return facts.log.autoTrading;
}

void AddLogProblems(const EaLogVerdict& log, std::vector<HealthProblem>& problems) {
  switch (log.state) {
    case EaLogState::kDllBlocked: problems.push_back({"dll-calls-blocked", msg::kCopierDllCallsBlocked}); break;
    case EaLogState::kInitFailed: problems.push_back({"init-failed", msg::kCopierInitFailed}); break;
    case EaLogState::kStopped: problems.push_back({"stopped", msg::kCopierStopped}); break;
    default: break;
  }
  if (log.tradingNotAllowed) problems.push_back({"trading-not-allowed", msg::kCopierTradingNotAllowed});
}

}  // namespace

Health JudgeHealth(const HealthFacts& facts) {
  Health health{HealthState::kUnknown, facts.log.chart, facts.log.since, facts.log.uninitReason, {}};
  std::vector<HealthProblem>& problems = health.problems;
  if (!facts.filesInPlace) problems.push_back({"files-missing", msg::kCopierFilesMissing});
  if (facts.filesInPlace && !facts.libraryCurrent) problems.push_back({"library-version", msg::kCopierLibraryVersion});
  if (!facts.onChart) problems.push_back({"not-on-chart", msg::kCopierNotOnChart});
  if (!facts.terminalRunning) problems.push_back({"terminal-not-running", msg::kCopierTerminalNotRunning});
  if (AutoTradingOf(facts) == false) problems.push_back({"autotrading-off", msg::kCopierAutoTradingOff});
  if (facts.options && !facts.options->dllImports) problems.push_back({"dll-imports-off", msg::kCopierDllImportsOff});
  AddLogProblems(facts.log, problems);
  if (!problems.empty()) {
    health.state = HealthState::kNotRunning;
  } else if (facts.log.state == EaLogState::kRunning) {
    health.state = HealthState::kRunning;
  }
  return health;
}
