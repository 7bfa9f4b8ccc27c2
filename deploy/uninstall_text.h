#pragma once
#include <string>
#include <vector>

// Outcome codes of uninstalling the copier from one terminal.
inline constexpr wchar_t kUninstallRemoved[] = L"1000";
inline constexpr wchar_t kUninstallFailed[] = L"1001";
inline constexpr wchar_t kUninstallNothingFound[] = L"1002";
inline constexpr wchar_t kUninstallTerminalRunning[] = L"1111";

// The copier's file names to remove, each name followed by "*".
struct CopierFileLists {
  std::wstring libraries;
  std::wstring experts;
  std::wstring templates;
};

// The copier's own library and EA names (with withFixedNames), then the names of the installer
// folder's ".dll", ".ex4" and ".tpl" files. installerFileNames carry no folder.
CopierFileLists BuildCopierFileLists(const std::vector<std::wstring>& installerFileNames, bool withFixedNames);
// The names of a "*"-separated list; empty entries are left out.
std::vector<std::wstring> SplitFileList(const std::wstring& list);
// The signal configuration file that belongs to a ".dll" library; "" for any other name.
std::wstring SignalConfigTwin(const std::wstring& libraryName);
// The worse of two step results ("", "1000" or "1001"): a failure outweighs a removal, which
// outweighs nothing found.
std::wstring WorseUninstallResult(const std::wstring& a, const std::wstring& b);
// The terminal's code from the results of its two code roots: a failure outweighs a removal.
std::wstring CombineUninstallResults(const std::wstring& installRoot, const std::wstring& dataRoot);
// The chart that becomes the first one opens as the installer's own chart did (window_type=3).
std::wstring WithInstallerWindowType(const std::wstring& chartText);

// What a row shows for an uninstall code: the catalog entry of its State, and whether its Type goes.
struct UninstallRowText {
  int message;
  bool clearsType;
};
UninstallRowText RowTextOf(const std::wstring& code);
