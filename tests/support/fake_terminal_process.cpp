#include "tests/support/fake_terminal_process.h"

#include "common/path_text.h"
#include "common/system.h"
#include "tests/support/test_system.h"

namespace {

const wchar_t* const kTerminalClasses[] = {L"MetaQuotes::MetaTrader::4.00", L"MetaQuotes::MetaTrader::5.00"};

bool IsTerminalWindow(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  for (const wchar_t* terminalClass : kTerminalClasses) {
    if (wcscmp(name, terminalClass) == 0) return true;
  }
  return false;
}

void CreateFolders(const std::wstring& folder) {
  for (std::size_t pos = folder.find(L'\\', 3); pos != std::wstring::npos; pos = folder.find(L'\\', pos + 1)) {
    CreateDirectoryW(folder.substr(0, pos).c_str(), nullptr);
  }
  CreateDirectoryW(folder.c_str(), nullptr);
}

void Terminate(DWORD processId) {
  UniqueHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId));
  if (!process) return;
  TerminateProcess(process.Get(), 1);
  WaitForSingleObject(process.Get(), 5000);
}

}  // namespace

std::wstring FakeTerminalProgram() { return TestProgramFolder() + L"fake_terminal.exe"; }

FakeTerminal::FakeTerminal(const std::wstring& folder, const std::wstring& arguments, const std::wstring& exeName) {
  std::wstring base = folder;
  if (!base.empty() && base.back() != L'\\') base += L'\\';
  CreateFolders(base);
  exePath_ = base + exeName;
  if (!CopyFileW(FakeTerminalProgram().c_str(), exePath_.c_str(), FALSE)) return;
  STARTUPINFOW startup{sizeof(startup)};
  PROCESS_INFORMATION info{};
  std::wstring commandLine = L"\"" + exePath_ + L"\" " + arguments;
  if (!CreateProcessW(exePath_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info)) {
    return;
  }
  process_.Reset(info.hProcess);
  CloseHandle(info.hThread);
  for (int i = 0; i < 400 && !window_ && !Exited(0); ++i) {
    Sleep(25);
    window_ = TopWindowOf(info.dwProcessId, IsTerminalWindow);
  }
}

FakeTerminal::~FakeTerminal() {
  if (process_ && !Exited(0)) {
    TerminateProcess(process_.Get(), 1);
    Exited(5000);
  }
}

bool FakeTerminal::Exited(DWORD timeoutMs) const {
  return process_ && WaitForSingleObject(process_.Get(), timeoutMs) == WAIT_OBJECT_0;
}

DWORD FakeTerminal::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (process_) GetExitCodeProcess(process_.Get(), &code);
  return code;
}

namespace {

bool TerminalRunsFrom(const std::wstring& exe) {
  for (const wchar_t* terminalClass : kTerminalClasses) {
    for (HWND window = FindWindowExW(nullptr, nullptr, terminalClass, nullptr); window;
         window = FindWindowExW(nullptr, window, terminalClass, nullptr)) {
      if (ToLower(g_system.GetWindowProcessPath(window)) == ToLower(exe)) return true;
    }
  }
  return false;
}

}  // namespace

bool TerminalStartsWithin(const std::wstring& exe, DWORD timeoutMs) {
  for (DWORD waited = 0; waited <= timeoutMs; waited += 100) {
    if (TerminalRunsFrom(exe)) return true;
    Sleep(100);
  }
  return false;
}

void EndStrayTerminals() {
  for (const wchar_t* terminalClass : kTerminalClasses) {
    while (HWND window = FindWindowExW(nullptr, nullptr, terminalClass, nullptr)) {
      DWORD processId = 0;
      GetWindowThreadProcessId(window, &processId);
      Terminate(processId);
      if (IsWindow(window)) break;
    }
  }
}
