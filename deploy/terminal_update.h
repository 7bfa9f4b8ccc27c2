#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "deploy/update_log.h"
#include "terminal/mt_assist.h"

// The installer's copier files that replace older ones in the terminals.
struct CopierFiles {
  std::wstring dll;
  std::wstring library;  // beside the DLL; it may not exist
  std::vector<std::wstring> eas;
};

// What one update pass has done so far.
struct UpdatePass {
  std::wstring version;  // the installer's
  HWND owner = nullptr;
  bool asked = false;
  bool complete = true;                 // every file it meant to replace was replaced
  std::vector<TerminalStart> restarts;  // terminals closed to free their DLL
  std::vector<std::wstring> updated;    // terminal folders that received new EAs
};

enum class TerminalUpdate { kSkipped, kUpdated, kDeclined };

// Replaces the copier files in both code roots of the terminal when its DLL is older than the
// installer's, asking the user once per pass first.
TerminalUpdate UpdateTerminal(const std::wstring& terminalFolder, const CopierFiles& files, UpdatePass& pass,
                              const CUpdateLog& log);
