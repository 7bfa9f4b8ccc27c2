#include "terminal/terminal_entry.h"

#include "common/path_text.h"

// The same folding as the probes: the C library's folds only A-Z, so a terminal in a
// folder named with other letters was never found running.
std::wstring LowerCaseText(std::wstring text) { return ToLower(std::move(text)); }

std::wstring NormalizeInstallFolder(std::wstring folder) {
  if (folder.empty() || folder.back() != L'\\' || folder.ends_with(L":\\")) return folder;
  const bool network = folder.starts_with(L"\\\\");
  folder.erase(folder.find_last_not_of(L'\\') + 1);
  folder.erase(0, folder.find_first_not_of(L'\\'));
  return network && !folder.empty() ? L"\\\\" + folder : folder;
}

std::wstring RowKey(const std::wstring& installFolder) {
  return LowerCaseText(NormalizeInstallFolder(installFolder)) + L"|";
}

std::wstring TerminalFolderPrefix(const std::wstring& installFolder) {
  std::wstring prefix = LowerCaseText(installFolder);
  if (prefix.empty() || prefix.back() != L'\\') prefix += L'\\';
  return prefix;
}

std::wstring RunningTerminalFolder(const std::wstring& exePath) {
  const std::size_t slash = exePath.find_last_of(L'\\');
  if (slash == std::wstring::npos) return {};
  std::wstring folder = exePath.substr(0, slash);
  folder.erase(folder.find_last_not_of(L'\\') + 1);
  return folder;
}
