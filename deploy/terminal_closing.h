#pragma once
#include <string>

#include "common/run_policy.h"
#include "terminal/mt_assist.h"

// What became of a terminal that was running when a run over it began.
struct TerminalRestart {
  bool closed = false;
  bool restarted = false;
};

// A running terminal closed, with what starts it again (no path when it was not running), or
// the reason it still runs.
struct Closing {
  std::wstring refusal;
  TerminalStart restart;
  bool closed = false;
};

// Closes the terminal of exe when it runs and the policy allows; restart, when given, is told.
Closing CloseIfRunning(const std::wstring& exe, RunPolicy& policy, TerminalRestart* restart);
// Started again when the policy allows it, which the restart record says.
void StartAgain(const TerminalStart& start, RunPolicy& policy, TerminalRestart* restart);
