#include "terminal/terminal_list_codec.h"
#include "tests/fuzz/fuzz_text.h"

namespace {

const std::wstring kProvider = L"Provider", kReceiver = L"Receiver", kCanceled = L"Canceled",
                   kSearching = L"Searching...", kCompleted = L"Completed", kNoFiles = L"Can't find files";

std::wstring Without(std::wstring text, const std::wstring& characters) {
  std::erase_if(text, [&](wchar_t c) { return characters.find(c) != std::wstring::npos; });
  return text;
}

// Rows as the list holds them: a normalised folder free of the list's own separators.
std::vector<TerminalEntry> RowsOf(const std::vector<std::wstring>& fields) {
  std::vector<TerminalEntry> rows;
  for (std::size_t i = 0; i + 1 < fields.size(); i += 2) {
    TerminalEntry row;
    const std::wstring& folder = fields[i];
    row.ticked = !folder.empty() && folder[0] % 2;
    row.role = folder.empty() ? L"" : folder[0] % 3 == 0 ? kProvider : folder[0] % 3 == 1 ? kReceiver : L"";
    row.installFolder = NormalizeInstallFolder(Without(folder.empty() ? folder : folder.substr(1), L"|*"));
    row.state = Without(fields[i + 1], L"|\r\n");
    if (row.installFolder.empty() || row.state.starts_with(kCanceled) || row.state.starts_with(kCompleted) ||
        row.state == kNoFiles || row.installFolder == kSearching)
      continue;
    rows.push_back(row);
  }
  return rows;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::wstring value = FuzzText(data, size);
  const auto decoded = DecodeTerminalListEntries(value, kProvider, kReceiver, kCompleted, kNoFiles);
  for (const StoredTerminal& item : decoded) FUZZ_CHECK(item.key.ends_with(L"|"));

  const std::vector<TerminalEntry> rows = RowsOf(FuzzFields(data, size, 16));
  const std::wstring encoded = EncodeTerminalList(rows, kProvider, kReceiver, kCanceled, kSearching);
  const auto back = DecodeTerminalListEntries(encoded, kProvider, kReceiver, kCompleted, kNoFiles);
  FUZZ_CHECK(back.size() == rows.size());
  std::size_t next = 0;
  for (const std::wstring& role : {kProvider, kReceiver, std::wstring()}) {
    for (const TerminalEntry& row : rows) {
      if (row.role != role) continue;
      const TerminalEntry& got = back[next++].entry;
      FUZZ_CHECK(got.ticked == row.ticked && got.role == row.role);
      FUZZ_CHECK(got.installFolder == row.installFolder && got.state == row.state);
    }
  }
  return 0;
}
