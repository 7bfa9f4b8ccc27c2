#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "common/run_policy.h"
#include "deploy/update_log.h"
#include "terminal/mt_assist.h"

class DataFolderMap;

// The installer's copier files that replace older ones in the terminals.
struct CopierFiles {
  std::wstring dll;
  std::wstring library;  // beside the DLL; it may not exist
  std::vector<std::wstring> eas;
};

// A file of a terminal that kept its old version, and why.
struct UpdateFailure {
  std::wstring terminalFolder;
  std::wstring reason;
};

// What one update pass has done so far.
struct UpdatePass {
  std::wstring version;  // the installer's
  RunPolicy* policy = nullptr;  // asks the one question; none asks through the prompt seam
  bool asked = false;
  bool closeStopped = false;  // the user stopped a close wait: the rest stay running
  std::vector<UpdateFailure> failures;  // empty: every file it meant to replace was replaced
  std::vector<TerminalStart> restarts;  // terminals closed to free their DLL
  std::vector<std::wstring> updated;    // terminal folders that received new EAs
};

enum class TerminalUpdate { kSkipped, kUpdated, kDeclined };

// Replaces the copier files in each code root of the terminal on its own when the terminal's DLL
// is older than the installer's, asking the user once per pass first.
TerminalUpdate UpdateTerminal(const std::wstring& terminalFolder, const CopierFiles& files,
                              const DataFolderMap& dataFolders, UpdatePass& pass, const CUpdateLog& log);

// The message naming every terminal of the failures and the reasons, "" when there are none.
std::wstring UpdateFailureText(const std::vector<UpdateFailure>& failures);
