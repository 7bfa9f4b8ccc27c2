#include <cstdint>
#include <cwchar>
#include <vector>

#include "common/command_line.h"
#include "common/path_text.h"
#include "common/process_path.h"
#include "common/process_start.h"
#include "common/seams.h"
#include "common/unique_handle.h"
#include "terminal/mt_assist.h"
#include "terminal/terminal_entry.h"
#include "terminal/terminal_title.h"

CMTAssist g_mtAssist;

namespace {

constexpr int kCloseRequests = 100;
// A terminal saves its charts and profiles while closing; a second per request gives it time.
constexpr DWORD kCloseRequestGapMs = 1000;
constexpr DWORD kTerminateWaitMs = 5000;
// A closed window's process may still be writing its files; wait this long for it to end.
constexpr int kExitChecks = 50;
constexpr DWORD kExitCheckGapMs = 100;

std::wstring WindowTitle(HWND window) {
  wchar_t text[260] = {};
  GetWindowTextW(window, text, static_cast<int>(std::size(text)));
  return text;
}

std::wstring JoinTrimmed(const std::vector<std::wstring>& items) {
  std::wstring joined;
  for (std::size_t i = 0; i < items.size(); ++i) joined += (i ? L"," : L"") + items[i];
  joined.erase(joined.find_last_not_of(L',') + 1);
  joined.erase(0, joined.find_first_not_of(L','));
  return joined;
}

void EndProcessOf(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId == 0) return;
  UniqueHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId));
  if (!process || !TerminateProcess(process.Get(), 0)) return;
  // Its windows go only when the process has ended.
  WaitForSingleObject(process.Get(), kTerminateWaitMs);
}

UniqueHandle ProcessToWaitFor(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  return UniqueHandle(processId ? OpenProcess(SYNCHRONIZE, FALSE, processId) : nullptr);
}

void WaitForExit(const UniqueHandle& process) {
  if (!process) return;
  for (int i = 0; i < kExitChecks && WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT; ++i) {
    Wait().Sleep(kExitCheckGapMs);
  }
}

struct ClassSearch {
  const wchar_t* windowClass;
  std::vector<HWND> found;
};

BOOL CALLBACK AddWindowOfClass(HWND window, LPARAM searchParam) {
  auto& search = *reinterpret_cast<ClassSearch*>(searchParam);
  wchar_t name[64] = {};
  if (GetClassNameW(window, name, static_cast<int>(std::size(name))) && lstrcmpiW(name, search.windowClass) == 0) {
    search.found.push_back(window);
  }
  return TRUE;
}

// From one snapshot of the windows: a walk from window to window misses any raised above the
// one reached, as a terminal the user switches to is.
std::vector<HWND> TopWindowsOfClass(const wchar_t* windowClass) {
  ClassSearch search{windowClass, {}};
  EnumWindows(AddWindowOfClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Read before the close, while the process still runs.
TerminalStart StartOf(HWND window, const std::wstring& exePath) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  const std::optional<ProcessStart> start = ReadProcessStart(processId);
  const std::wstring program = LowerCaseText(FileNameOf(exePath, false));
  // A command line that does not name the program was not read from the right place.
  if (!start || LowerCaseText(start->commandLine).find(program) == std::wstring::npos) {
    return {exePath, L"", L""};
  }
  return {exePath, ArgumentsAfterProgram(start->commandLine), start->folder};
}

// A request already posted stays in the terminal's queue: a slow terminal may still close on
// it after the user stopped waiting, and its caller must then start it again.
CloseOutcome AfterStoppedWait(HWND window, const UniqueHandle& process, bool requested) {
  for (int i = 0; requested && i < kExitChecks && IsWindow(window); ++i) Wait().Sleep(kExitCheckGapMs);
  if (!requested || IsWindow(window)) return CloseOutcome::kStopped;
  WaitForExit(process);
  return CloseOutcome::kStoppedButClosed;
}

}  // namespace

CloseOutcome CloseTerminalWindow(HWND window) {
  const UniqueHandle process = ProcessToWaitFor(window);
  const std::wstring shown = GetWindowProcessPath(window);
  for (int i = 0; i < kCloseRequests && IsWindow(window); ++i) {
    // Asked before each request: a request sent after the user stopped would close it anyway.
    if (!Watch().KeepWaiting(shown, kCloseRequests - i)) return AfterStoppedWait(window, process, i > 0);
    // A terminal running as administrator refuses the messages of a normal-rights program:
    // asking again would only keep the user waiting.
    if (!PostMessageW(window, WM_CLOSE, 0, 0) && IsWindow(window)) return CloseOutcome::kRefused;
    Wait().Sleep(kCloseRequestGapMs);
  }
  EndProcessOf(window);
  if (IsWindow(window)) return CloseOutcome::kNotClosed;
  WaitForExit(process);
  return CloseOutcome::kClosed;
}

void StartTerminal(const TerminalStart& start) {
  Launcher().Open(start.exePath, start.arguments, SW_SHOWNORMAL, start.folder);
}

std::wstring CMTAssist::ScanRunningTerminals(bool wantAccounts, bool wantPaths) {
  windowHandles.clear();
  accounts.clear();
  serverTexts.clear();
  exePaths.clear();
  for (const wchar_t* windowClass : {kMt4WindowClass, kMt5WindowClass}) {
    for (HWND window : TopWindowsOfClass(windowClass)) {
      windowHandles.push_back(std::to_wstring(static_cast<int>(reinterpret_cast<std::intptr_t>(window))));
      const TerminalTitle title = wantAccounts ? ParseTerminalTitle(WindowTitle(window)) : TerminalTitle{};
      accounts.push_back(title.account);
      serverTexts.push_back(title.server);
      exePaths.push_back(wantPaths ? LowerCaseText(GetWindowProcessPath(window)) : std::wstring());
    }
  }
  if (wantAccounts) return JoinTrimmed(accounts);
  return wantPaths ? JoinTrimmed(exePaths) : std::wstring();
}

std::wstring CMTAssist::RunningTerminalPaths() { return ScanRunningTerminals(false, true); }

HWND CMTAssist::ScannedWindow(std::size_t index) const {
  if (index >= windowHandles.size()) return nullptr;
  // Window handles carry 32 significant bits and sign-extend on 64-bit Windows.
  return reinterpret_cast<HWND>(static_cast<std::intptr_t>(std::wcstol(windowHandles[index].c_str(), nullptr, 10)));
}

std::wstring CMTAssist::ScannedPathAsRun(std::size_t index) const {
  if (index >= exePaths.size()) return {};
  const std::wstring path = GetWindowProcessPath(ScannedWindow(index));
  // A window gone since the scan leaves the scan's own text.
  return LowerCaseText(path) == exePaths[index] ? path : exePaths[index];
}

bool CMTAssist::IsTerminalRunning(const std::wstring& exePath) {
  if (GetFileAttributesW(exePath.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
  ScanRunningTerminals(false, true);
  const std::wstring wanted = LowerCaseText(exePath);
  for (const std::wstring& path : exePaths) {
    if (path == wanted) return true;
  }
  return false;
}

std::wstring CMTAssist::CloseTerminalByPath(const std::wstring& folderOrPath) {
  return LowerCaseText(CloseForRestart(folderOrPath).start.exePath);
}

TerminalClose CMTAssist::CloseForRestart(const std::wstring& folderOrPath) {
  // An empty text is contained in every path and would close an arbitrary terminal.
  if (folderOrPath.empty()) return {};
  const std::wstring wanted = LowerCaseText(folderOrPath);
  ScanRunningTerminals(false, true);
  for (std::size_t i = 0; i < exePaths.size(); ++i) {
    if (exePaths[i].find(wanted) == std::wstring::npos) continue;
    // Started again by the path as the process has it: a folder such as "Trader Émile" must not
    // come back as "trader émile".
    const HWND window = ScannedWindow(i);
    const TerminalStart start = StartOf(window, ScannedPathAsRun(i));
    const CloseOutcome outcome = CloseTerminalWindow(window);
    if (outcome == CloseOutcome::kClosed || outcome == CloseOutcome::kStoppedButClosed) return {outcome, start};
    if (outcome != CloseOutcome::kNotClosed) return {outcome, {}};
  }
  return {};
}

bool CMTAssist::CloseAllTerminals() {
  ScanRunningTerminals(false, false);
  const std::size_t count = windowHandles.size();
  for (std::size_t i = 0; i < count; ++i) {
    if (IsStopped(CloseTerminalWindow(ScannedWindow(i)))) return false;
  }
  return true;
}

std::vector<std::size_t> CMTAssist::ScannedUnder(const std::wstring& installFolder) const {
  std::vector<std::size_t> found;
  for (std::size_t i = 0; i < exePaths.size(); ++i) {
    if (RunsUnder(exePaths[i], installFolder)) found.push_back(i);
  }
  return found;
}

void CMTAssist::ShowTerminalsUnder(const std::vector<std::wstring>& installFolders, int showCommand) {
  RunningTerminalPaths();
  for (const std::wstring& folder : installFolders) {
    for (const std::size_t i : ScannedUnder(folder)) ShowWindow(ScannedWindow(i), showCommand);
  }
}

bool CMTAssist::CloseTerminalsUnder(const std::vector<std::wstring>& installFolders) {
  RunningTerminalPaths();
  for (const std::wstring& folder : installFolders) {
    for (const std::size_t i : ScannedUnder(folder)) {
      if (IsStopped(CloseTerminalWindow(ScannedWindow(i)))) return false;
    }
  }
  return true;
}
