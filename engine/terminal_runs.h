#pragma once
#include <string>
#include <vector>

#include "common/run_policy.h"
#include "common/seams.h"
#include "deploy/auto_update.h"
#include "deploy/deploy_package.h"
#include "duplicate/duplicate_terminal.h"
#include "engine/run_observer.h"
#include "terminal/terminal_entry.h"

// The runs over terminals that the window and a command line both drive. They take the
// terminals' install folders, ask every question of the policy, report to the observer and
// give each terminal's result back as data; none shows anything itself.

// One install: the role's files, its EA and the row words.
struct InstallJob {
  DeploySource source;
  std::wstring eaName;  // "" for the plain install of the package's files
  SignalRole role = kRoleNone;
  std::wstring roleWord;  // the Type a row shows afterwards
  bool plain = false;     // the limited edition's install: Type "EA", rows stay ticked
};

std::vector<RowResult> RunInstall(const std::vector<std::wstring>& folders, const InstallJob& job,
                                  RunPolicy& policy, RunObserver& observer);
std::vector<RowResult> RunUninstall(const std::vector<std::wstring>& folders, const std::wstring& installerFolder,
                                    RunPolicy& policy, RunObserver& observer);
// The start-up update over the request's terminals; false when a file kept its old version.
bool RunUpdate(AutoUpdateRequest request, RunPolicy& policy, RunObserver& observer);
// Puts each terminal back as it was before its newest recorded run, closing a running one as an
// install does; its Type afterwards is what its files say.
std::vector<RowResult> RunRestore(const std::vector<std::wstring>& folders, const std::wstring& installerFolder,
                                  RunPolicy& policy, RunObserver& observer);
// "Interrupted" and the count of changes done when the terminal's newest run ended before its
// last; "" otherwise.
std::wstring InterruptedRowState(const std::wstring& folder);
DuplicateOutcome RunDuplicate(const std::wstring& folder, RunPolicy& policy, RunObserver& observer);

// The close waits of a run report to the observer and stop when the policy says so, for the
// object's lifetime.
class RunWatch : private CloseWatch {
 public:
  RunWatch(RunPolicy& policy, RunObserver& observer);
  ~RunWatch();
  RunWatch(const RunWatch&) = delete;
  RunWatch& operator=(const RunWatch&) = delete;

 private:
  bool KeepWaiting(const std::wstring& terminal, int secondsLeft) override;
  RunPolicy& policy_;
  RunObserver& observer_;
};

// What a result changes in its list row: State, Type when it has one, and the tick.
void ApplyRowResult(const RowResult& result, TerminalEntry& row);

// The row's State for an install's plain outcome: "Completed" and its notes, or "Failed" and why.
std::wstring InstallRowState(std::wstring outcome, const std::wstring& roleWord);
