#include "terminal/terminal_list_codec.h"

#include <algorithm>

#include "common/parallel.h"

namespace {

std::wstring EncodeState(const std::wstring& state, const std::wstring& canceledWord) {
  if (!canceledWord.empty() && state.starts_with(canceledWord)) return {};
  std::wstring encoded;
  for (std::size_t i = 0; i < state.size(); ++i) {
    const wchar_t c = state[i];
    if (c == L'\r' && i + 1 < state.size() && state[i + 1] == L'\n') continue;
    encoded += c == L'\r' || c == L'\n' ? L'#' : c;
  }
  return encoded;
}

std::wstring DecodeState(const std::wstring& stored, bool roleless, const std::wstring& completedWord,
                         const std::wstring& cantFindFilesWord, std::wstring& role) {
  if (!completedWord.empty() && stored.starts_with(completedWord)) {
    if (roleless) role = L"EA";
    return completedWord;
  }
  return stored == cantFindFilesWord ? std::wstring() : stored;
}

std::vector<std::wstring> SplitEntries(const std::wstring& value) {
  std::vector<std::wstring> entries;
  std::size_t start = 0;
  while (start < value.size()) {
    std::size_t end = value.find(L'|', start);
    if (end == std::wstring::npos) end = value.size();
    if (end > start) entries.push_back(value.substr(start, end - start));
    start = end + 1;
  }
  return entries;
}

// Recorded keys form one text and a key counts when found in it, so a running terminal's
// key "c:\mt4|" is found inside the stored key "10c:\mt4|".
class RecordedKeys {
 public:
  bool Has(const std::wstring& key) const { return text_.find(key) != std::wstring::npos; }
  void Add(const std::wstring& key) { text_ += key; }

 private:
  std::wstring text_;
};

}  // namespace

std::wstring EncodeTerminalList(const std::vector<TerminalEntry>& rows, const std::wstring& providerWord,
                                const std::wstring& receiverWord, const std::wstring& canceledWord,
                                const std::wstring& searchingWord) {
  std::wstring value;
  for (const wchar_t roleFlag : {L'1', L'2', L'0'}) {
    for (const TerminalEntry& row : rows) {
      if (row.installFolder == searchingWord) continue;
      const wchar_t flag = row.role == providerWord ? L'1' : row.role == receiverWord ? L'2' : L'0';
      if (flag != roleFlag) continue;
      value += row.ticked ? L'1' : L'0';
      value += flag;
      value += row.installFolder + L"*" + EncodeState(row.state, canceledWord) + L"|";
    }
  }
  return value;
}

std::vector<StoredTerminal> DecodeTerminalListEntries(const std::wstring& value, const std::wstring& providerWord,
                                                      const std::wstring& receiverWord,
                                                      const std::wstring& completedWord,
                                                      const std::wstring& cantFindFilesWord) {
  std::vector<StoredTerminal> stored;
  for (std::wstring entry : SplitEntries(value)) {
    std::wstring state;
    if (const std::size_t star = entry.find(L'*'); star != std::wstring::npos) {
      state = entry.substr(star + 1);
      entry.erase(star);
    }
    StoredTerminal item;
    item.storedFolder = entry.size() > 2 ? entry.substr(2) : std::wstring();
    item.entry.ticked = entry[0] == L'1';
    item.entry.installFolder = NormalizeInstallFolder(item.storedFolder);
    // The key of the normalised folder, so "C:" and "C:\" stored once each are one terminal.
    item.key = entry.substr(0, std::min<std::size_t>(entry.size(), 2)) + RowKey(item.entry.installFolder);
    const wchar_t roleFlag = entry.size() > 1 ? entry[1] : L'\0';
    if (roleFlag == L'1') item.entry.role = providerWord;
    if (roleFlag == L'2') item.entry.role = receiverWord;
    item.entry.state = DecodeState(state, roleFlag == L'0', completedWord, cantFindFilesWord, item.entry.role);
    stored.push_back(std::move(item));
  }
  return stored;
}

std::vector<TerminalEntry> MergeTerminalRows(const std::vector<StoredTerminal>& stored,
                                             const std::vector<RunningTerminal>& running,
                                             const std::function<FolderPresence(const std::wstring&)>& presenceOf,
                                             const std::function<std::wstring(const std::wstring&)>& accountOf) {
  std::vector<TerminalEntry> rows;
  std::vector<std::size_t> probed;
  RecordedKeys keys;
  for (const StoredTerminal& item : stored) {
    if (keys.Has(item.key) || item.storedFolder.empty()) continue;
    const FolderPresence presence = presenceOf(item.storedFolder);
    if (presence == FolderPresence::kGone) continue;
    rows.push_back(item.entry);
    rows.back().unavailable = presence == FolderPresence::kUnavailable;
    if (!rows.back().unavailable) probed.push_back(rows.size() - 1);
    keys.Add(item.key);
  }
  ForEachInParallel(probed.size(), [&](std::size_t i) {
    TerminalEntry& row = rows[probed[i]];
    row.account = accountOf(row.installFolder);
  });
  for (const RunningTerminal& terminal : running) {
    const std::wstring folder = NormalizeInstallFolder(RunningTerminalFolder(terminal.exePath));
    const std::wstring key = RowKey(folder);
    if (folder.empty() || keys.Has(key)) continue;
    rows.push_back({false, folder, terminal.account, L"", L""});
    keys.Add(key);
  }
  return rows;
}
