#pragma once
#include <optional>
#include <string>
#include <vector>

#include "terminal/ea_log_text.h"
#include "terminal/expert_options_text.h"

// Whether the copier really runs in a terminal, judged from what its files and logs say.

struct HealthFacts {
  bool filesInPlace = false;    // the role's EA and the copier library in the tree the terminal reads
  bool libraryCurrent = false;  // the library's version is the package's
  bool onChart = false;         // a chart of the current profile carries the role's EA
  std::optional<ExpertOptions> options;  // config\experts.ini, when it could be read
  std::string optionsTime;      // when the terminal last wrote it today ("HH:MM:SS"), "" for an earlier day
  EaLogVerdict log;             // the experts log of today (or the journal), for the role's EA
  bool terminalRunning = false;
};

enum class HealthState { kRunning, kNotRunning, kUnknown };

struct HealthProblem {
  const char* code;  // "files-missing", "dll-calls-blocked", ...
  int message;       // its catalog text: what to do
};

struct Health {
  HealthState state = HealthState::kUnknown;
  std::string chart;  // "EURUSD,H1" of the EA's last run
  std::string since;  // when it initialised, or its last event
  int uninitReason = -1;
  std::vector<HealthProblem> problems;  // the first explains a state that is not running
};

Health JudgeHealth(const HealthFacts& facts);
