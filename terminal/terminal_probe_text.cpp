#include "terminal/terminal_probe_text.h"

#include <algorithm>
#include <unordered_set>

#include "common/path_text.h"

namespace {

constexpr std::size_t kMarkerReach = 20;

// Only trailing components count: "D:\Indicators\MT4" is a terminal folder of its own.
std::wstring WithoutTrailingParts(std::wstring folder, std::initializer_list<const wchar_t*> parts) {
  folder.erase(folder.find_last_not_of(L'\\') + 1);
  for (const wchar_t* part : parts) {
    if (folder.ends_with(part)) folder.resize(folder.size() - std::wstring(part).size());
  }
  return folder;
}

std::wstring WithBackslash(std::wstring path) {
  if (path.empty() || path.back() != L'\\') path += L'\\';
  return path;
}

bool AnyNamePresent(const std::vector<std::wstring>& lowerNames, const auto& wanted) {
  for (const wchar_t* name : wanted) {
    if (std::find(lowerNames.begin(), lowerNames.end(), ToLower(name)) != lowerNames.end()) return true;
  }
  return false;
}

std::wstring StripSlashes(const std::wstring& path) { return ToLower(Trim(path, L"\\/")); }

}  // namespace

std::wstring TerminalTestFolder(const std::wstring& path) {
  std::wstring folder = ToLower(Trim(path));
  if (folder.ends_with(L".exe")) folder = ParentFolderOf(folder);
  // A path into the libraries or indicators of the experts folder leads back to the terminal.
  return WithBackslash(WithoutTrailingParts(folder, {L"\\libraries", L"\\indicators", L"\\experts"}));
}

bool NamesMakeTerminalFolder(const std::vector<std::wstring>& lowerNames) {
  return AnyNamePresent(lowerNames, kTerminalProgramNames) && AnyNamePresent(lowerNames, kTerminalDataNames);
}

std::wstring TerminalExeFolder(const std::wstring& path) {
  const std::wstring folder =
      WithoutTrailingParts(ToLower(path), {L"\\experts\\libraries", L"\\experts\\indicators", L"\\experts"});
  return NormalizePath(WithBackslash(folder));
}

std::wstring OriginInstallFolder(const std::wstring& text) {
  std::wstring folder = text;
  std::erase_if(folder, [](wchar_t c) { return c == L'\r' || c == L'\n'; });
  return ToLower(WithBackslash(Trim(folder)));
}

bool IsJournalFileName(const std::wstring& fileName) { return fileName.size() == 12; }

std::vector<std::wstring> JournalsNewestFirst(std::vector<std::wstring> paths) {
  std::vector<std::pair<std::wstring, std::wstring>> named;
  for (std::wstring& path : paths) {
    std::wstring name = FileNameOf(path, true);
    if (IsJournalFileName(name)) named.emplace_back(ToLower(std::move(name)), std::move(path));
  }
  std::stable_sort(named.begin(), named.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
  std::vector<std::wstring> journals;
  for (auto& [name, path] : named) journals.push_back(std::move(path));
  return journals;
}

std::wstring AccountFromJournal(const std::wstring& text) {
  std::size_t marker = text.rfind(L"': login");
  if (marker == std::wstring::npos) marker = text.find(L"': authorized");
  if (marker == std::wstring::npos || marker < kMarkerReach) return {};
  // The marker begins with a quote, so one is always found; when it is that one, no
  // account precedes it.
  const std::size_t quote = text.find(L'\'', marker - kMarkerReach);
  return quote < marker ? text.substr(quote + 1, marker - quote - 1) : std::wstring();
}

bool JournalMayNameAccount(std::string_view bytes) {
  return bytes.starts_with("\xFF\xFE") || bytes.find("': login") != std::string_view::npos ||
         bytes.find("': authorized") != std::string_view::npos;
}

bool IsListed(const std::wstring& path, const std::vector<TerminalEntry>& rows) {
  const std::wstring wanted = StripSlashes(path);
  return std::any_of(rows.begin(), rows.end(),
                     [&](const TerminalEntry& row) { return StripSlashes(row.installFolder) == wanted; });
}

std::wstring MuiCacheProgramFolder(const std::wstring& valueName) {
  std::wstring program = valueName;
  // Windows 7 and later record a program under its path plus the name of the detail.
  for (const wchar_t* suffix : {L".FriendlyAppName", L".ApplicationCompany"}) {
    if (program.ends_with(suffix)) program.resize(program.size() - std::wstring(suffix).size());
  }
  return FoundFolder(ParentFolderOf(program));
}

std::wstring FoundFolder(std::wstring folder) {
  folder.erase(folder.find_last_not_of(L'\\') + 1);
  if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
  return folder;
}

std::size_t AppendFoundTerminals(std::vector<TerminalEntry>& rows, const std::wstring& candidates) {
  std::unordered_set<std::wstring> keys;
  for (const TerminalEntry& row : rows) keys.insert(RowKey(row.installFolder));
  const std::wstring list = candidates + L"|";
  std::size_t added = 0;
  std::size_t start = 0;
  for (std::size_t bar = list.find(L'|'); bar != std::wstring::npos; bar = list.find(L'|', start)) {
    const std::wstring folder = NormalizeInstallFolder(list.substr(start, bar - start));
    start = bar + 1;
    const std::wstring lower = ToLower(folder);
    if (folder.empty() || keys.contains(RowKey(folder))) continue;
    if (lower.ends_with(L"experts") || lower.ends_with(L"mql4")) continue;
    rows.push_back({false, folder});
    keys.insert(RowKey(folder));
    ++added;
  }
  return added;
}
