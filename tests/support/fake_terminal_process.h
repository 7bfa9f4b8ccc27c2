#pragma once
#include <windows.h>

#include <string>

#include "common/unique_handle.h"

// build/bin/fake_terminal.exe, beside the test programs.
std::wstring FakeTerminalProgram();

// A copy of the fake terminal program started from a fixture folder (as terminal.exe
// unless told otherwise). Arguments as tests/tools/fake_terminal.h describes them.
// Ended, if still running, when the object goes.
class FakeTerminal {
 public:
  FakeTerminal(const std::wstring& folder, const std::wstring& arguments,
               const std::wstring& exeName = L"terminal.exe");
  ~FakeTerminal();
  FakeTerminal(const FakeTerminal&) = delete;
  FakeTerminal& operator=(const FakeTerminal&) = delete;

  HWND Window() const { return window_; }
  const std::wstring& ExePath() const { return exePath_; }
  bool Exited(DWORD timeoutMs) const;
  // The exit code once it has exited, else STILL_ACTIVE.
  DWORD ExitCode() const;

 private:
  std::wstring exePath_;
  UniqueHandle process_;
  HWND window_ = nullptr;
};

// Whether a terminal window of a process started from exe shows within the time.
bool TerminalStartsWithin(const std::wstring& exe, DWORD timeoutMs);

// Ends every process that shows a terminal window, so a test starts without any.
void EndStrayTerminals();
