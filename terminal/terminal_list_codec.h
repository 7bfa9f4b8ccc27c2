#pragma once
#include <functional>
#include <string>
#include <vector>

#include "terminal/folder_presence.h"
#include "terminal/terminal_entry.h"

// The terminal list as one settings value: per row a tick flag, a role flag, the folder,
// "*", the state with line breaks as "#", and "|". Provider rows come first, then
// Receiver rows, then the rest; rows showing the searching text are left out, and a
// canceled state is not kept.
std::wstring EncodeTerminalList(const std::vector<TerminalEntry>& rows, const std::wstring& providerWord,
                                const std::wstring& receiverWord, const std::wstring& canceledWord,
                                const std::wstring& searchingWord);

// One stored entry: the row as it loads (account left empty), the folder as stored for the
// existence test, and the key that tells duplicates apart (it includes the two flags).
struct StoredTerminal {
  TerminalEntry entry;
  std::wstring storedFolder;
  std::wstring key;
};

// Every non-empty entry of a stored value in order, duplicates included.
std::vector<StoredTerminal> DecodeTerminalListEntries(const std::wstring& value, const std::wstring& providerWord,
                                                      const std::wstring& receiverWord,
                                                      const std::wstring& completedWord,
                                                      const std::wstring& cantFindFilesWord);

struct RunningTerminal {
  std::wstring exePath;
  std::wstring account;
};

// The loaded list: stored entries whose folder is not gone (those on a drive that is not
// there now are marked unavailable), without repeated keys, then an unticked row for each
// running terminal whose folder is not listed yet. accountOf is called for several rows at
// once.
std::vector<TerminalEntry> MergeTerminalRows(const std::vector<StoredTerminal>& stored,
                                             const std::vector<RunningTerminal>& running,
                                             const std::function<FolderPresence(const std::wstring&)>& presenceOf,
                                             const std::function<std::wstring(const std::wstring&)>& accountOf);
