#pragma once
#include <windows.h>

#include <string>
#include <unordered_map>
#include <vector>

class DataFolderMap;

// A closed terminal is started again as it was started: its own arguments and working folder.
// Both are empty when they could not be read.
struct TerminalStart {
  std::wstring exePath;
  std::wstring arguments;
  std::wstring folder;
};

enum class CloseOutcome {
  kClosed,
  kNotClosed,
  kRefused,  // it does not take the installer's close requests (it runs as administrator)
  kStopped,  // the user stopped waiting; it was left running
  kStoppedButClosed,  // the user stopped waiting, but it closed on a request already sent
};

inline bool IsStopped(CloseOutcome outcome) {
  return outcome == CloseOutcome::kStopped || outcome == CloseOutcome::kStoppedButClosed;
}

struct TerminalClose {
  CloseOutcome outcome = CloseOutcome::kNotClosed;
  TerminalStart start;  // when closed, the user's stop notwithstanding
};

// The terminal and deployment engine; one process-wide instance.
class CMTAssist {
 public:
  virtual ~CMTAssist() = default;

  // Refills the four scan lists from the running terminal windows. Returns the accounts
  // joined by "," when asked for, else the paths when asked for, else "".
  std::wstring ScanRunningTerminals(bool wantAccounts, bool wantPaths);
  std::wstring RunningTerminalPaths();
  bool IsTerminalRunning(const std::wstring& exePath);
  // Closes the first running terminal whose path contains folderOrPath; returns that
  // path, or "" when none was closed.
  std::wstring CloseTerminalByPath(const std::wstring& folderOrPath);
  // The same, with what starts it again; a refused close or a stopped wait ends the search.
  TerminalClose CloseForRestart(const std::wstring& folderOrPath);
  // Both close every window they find; false when the user stopped a wait, which leaves the
  // rest running.
  bool CloseAllTerminals();
  // Shows (SW_SHOWNORMAL) or hides (SW_HIDE) every terminal running from one of the
  // folders or from a subfolder of it.
  void ShowTerminalsUnder(const std::vector<std::wstring>& installFolders, int showCommand);
  bool CloseTerminalsUnder(const std::vector<std::wstring>& installFolders);
  // The window of entry index of the last scan.
  HWND ScannedWindow(std::size_t index) const;
  // Its path as the process has it, not lower-cased: what a row shows and a restart starts.
  std::wstring ScannedPathAsRun(std::size_t index) const;

  // Terminal probes: they read the file system only. Folders come back with a trailing
  // backslash; "" means not found. The dataRoot overloads look for the per-user data
  // folders there instead of under the user's application data.
  bool IsTerminalFolder(const std::wstring& path) const;
  std::wstring GetTerminalExe(const std::wstring& path) const;
  std::wstring GetDataFolder(const std::wstring& installFolder) const;
  std::wstring GetDataFolder(const std::wstring& installFolder, const std::wstring& dataRoot) const;
  std::wstring GetDataMqlFolder(const std::wstring& installFolder) const;
  std::wstring GetDataMqlFolder(const std::wstring& installFolder, const std::wstring& dataRoot) const;
  std::wstring GetDataMqlFolder(const std::wstring& installFolder, const DataFolderMap& dataFolders) const;
  std::wstring GetMqlFolder(const std::wstring& base) const;
  std::wstring ReadAccountFromLogs(const std::wstring& installFolder) const;
  std::wstring ReadAccountFromLogs(const std::wstring& installFolder, const std::wstring& dataRoot) const;
  // The account of the last scan's terminal started from the folder itself.
  std::wstring FindRunningAccount(const std::wstring& installFolder) const;
  // The account a row shows: the running terminal's, else the last one in its journals.
  std::wstring AccountOf(const std::wstring& installFolder) const;
  // The same for a pass over many rows, with the data folders listed once for all.
  std::wstring AccountOf(const std::wstring& installFolder, const DataFolderMap& dataFolders) const;
  // The same, taking the journal account from readAhead when it holds the folder.
  std::wstring AccountOf(const std::wstring& installFolder, const DataFolderMap& dataFolders,
                         const std::unordered_map<std::wstring, std::wstring>& readAhead) const;
  std::wstring ReadAccountFromLogs(const std::wstring& installFolder, const DataFolderMap& dataFolders) const;
  // Where newer terminals keep their per-user data folders.
  static std::wstring DataFolderRoot();

  // The last scan, one entry per window in every list; an entry the scan was not asked
  // for is "". Paths are lower-cased.
  std::vector<std::wstring> windowHandles;
  std::vector<std::wstring> accounts;
  std::vector<std::wstring> serverTexts;
  std::vector<std::wstring> exePaths;

 private:
  // Indexes of the scanned windows whose path lies under the folder.
  std::vector<std::size_t> ScannedUnder(const std::wstring& installFolder) const;
};

extern CMTAssist g_mtAssist;

inline constexpr wchar_t kMt4WindowClass[] = L"MetaQuotes::MetaTrader::4.00";
inline constexpr wchar_t kMt5WindowClass[] = L"MetaQuotes::MetaTrader::5.00";

// Asks a terminal window to close up to 100 times, a second apart, then ends its process.
// Watch() is asked before each request and may stop the wait.
CloseOutcome CloseTerminalWindow(HWND window);
// Starts a closed terminal again through the shell seam.
void StartTerminal(const TerminalStart& start);
