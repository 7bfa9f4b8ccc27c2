#include "terminal/terminal_entry.h"

#include "common/path_text.h"

// The same folding as the probes: the C library's folds only A-Z, so a terminal in a
// folder named with other letters was never found running.
std::wstring LowerCaseText(std::wstring text) { return ToLower(std::move(text)); }

std::wstring NormalizeInstallFolder(std::wstring folder) {
  if (!folder.empty() && folder.back() == L'\\' && !folder.ends_with(L":\\")) {
    const bool network = folder.starts_with(L"\\\\");
    folder.erase(folder.find_last_not_of(L'\\') + 1);
    folder.erase(0, folder.find_first_not_of(L'\\'));
    if (network && !folder.empty()) folder = L"\\\\" + folder;
  }
  // "C:" and "C:\" are one drive-root terminal, so they must give one row key.
  if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
  return folder;
}

std::wstring RowKey(const std::wstring& installFolder) {
  return LowerCaseText(NormalizeInstallFolder(installFolder)) + L"|";
}

std::wstring TerminalFolderPrefix(const std::wstring& installFolder) {
  std::wstring prefix = LowerCaseText(installFolder);
  if (prefix.empty() || prefix.back() != L'\\') prefix += L'\\';
  return prefix;
}

bool RunsUnder(const std::wstring& lowerExePath, const std::wstring& installFolder) {
  const std::wstring prefix = TerminalFolderPrefix(installFolder);
  if (!lowerExePath.starts_with(prefix)) return false;
  return PathRoot(prefix) != prefix || lowerExePath.find(L'\\', prefix.size()) == std::wstring::npos;
}

std::wstring RunningTerminalFolder(const std::wstring& exePath) {
  const std::size_t slash = exePath.find_last_of(L'\\');
  if (slash == std::wstring::npos) return {};
  std::wstring folder = exePath.substr(0, slash);
  folder.erase(folder.find_last_not_of(L'\\') + 1);
  return folder;
}
