#pragma once
#include <string>
#include <vector>

#include "deploy/signal_role.h"
#include "engine/terminal_runs.h"

class CDlgInstMulti;
class FileTree;

// What one run of an install command did.
struct InstallRun {
  bool processed = false;
  std::wstring firstFailure;
  std::wstring firstNote;  // files in, but something left to tell (no EA on a chart)
};

// The main window's runs over its rows: install, uninstall, duplicate and the start-up update,
// each through the engine with the window's policy, then the administrator restart it may need.
class RowRuns {
 public:
  explicit RowRuns(CDlgInstMulti& window) : w_(window) {}

  void Install(SignalRole role);
  // The selected row's copier check and its report; Repair installs the row's role again there.
  void CheckCopier();
  void Uninstall();
  // The selected row put back as it was before its last recorded run.
  void Restore();
  void Duplicate();
  // The copy of a listed terminal, started afterwards; Add offers it for a folder listed already.
  void DuplicateAndStart(const std::wstring& folder);
  void StartUpUpdate(const FileTree& packageFiles);

 private:
  void InstallOn(SignalRole role, const std::vector<int>& indexes);
  InstallRun InstallRows(const InstallJob& job, const std::vector<int>& indexes);
  void ShowInstallSummary(const InstallRun& run, bool plain);
  std::wstring ListedRole(const std::wstring& folder) const;
  void OfferElevatedRestart();

  CDlgInstMulti& w_;
};
