#include <set>

#include "terminal/terminal_entry.h"
#include "terminal/terminal_probe_text.h"
#include "tests/fuzz/fuzz_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::wstring text = FuzzText(data, size);
  AccountFromJournal(text);
  MuiCacheProgramFolder(text);
  IsJournalFileName(text);
  const std::wstring origin = OriginInstallFolder(text);
  FUZZ_CHECK(origin.empty() || origin.ends_with(L"\\"));
  FUZZ_CHECK(TerminalTestFolder(text).ends_with(L"\\"));
  FUZZ_CHECK(TerminalExeFolder(text).ends_with(L"\\"));
  const std::wstring folder = NormalizeInstallFolder(text);
  FUZZ_CHECK(NormalizeInstallFolder(folder) == folder);
  FoundFolder(text);
  RunningTerminalFolder(text);
  TerminalFolderPrefix(text);

  // Found candidates join the list once each and are listed afterwards.
  std::vector<TerminalEntry> rows;
  const std::size_t added = AppendFoundTerminals(rows, text);
  FUZZ_CHECK(added == rows.size());
  std::set<std::wstring> keys;
  for (const TerminalEntry& row : rows) FUZZ_CHECK(keys.insert(RowKey(row.installFolder)).second);
  if (!rows.empty()) FUZZ_CHECK(IsListed(rows.back().installFolder, rows));
  FUZZ_CHECK(AppendFoundTerminals(rows, text) == 0);
  return 0;
}
