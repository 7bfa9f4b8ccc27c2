#include "terminal/journal_account.h"

#include <windows.h>

#include <mutex>
#include <unordered_set>
#include <vector>

#include "common/file_ctrl.h"
#include "common/path_text.h"
#include "common/unique_handle.h"
#include "terminal/terminal_probe_text.h"

namespace {

// Larger journals are not the terminal's own and are never read.
constexpr double kMaxJournalBytes = 1048576;

bool WithinSize(double size) { return size >= 1 && size <= kMaxJournalBytes; }

// Rows are probed on several threads at once.
class JournalMemory {
 public:
  bool Has(const std::wstring& key) {
    const std::lock_guard lock(mutex_);
    return keys_.contains(key);
  }
  void Add(std::wstring key) {
    const std::lock_guard lock(mutex_);
    keys_.insert(std::move(key));
  }

 private:
  std::mutex mutex_;
  std::unordered_set<std::wstring> keys_;
};

JournalMemory& JournalsWithoutAccount() {
  static JournalMemory journals;
  return journals;
}

std::wstring JournalKey(const std::wstring& path, const LARGE_INTEGER& size, const FILETIME& written) {
  const ULONGLONG time = static_cast<ULONGLONG>(written.dwHighDateTime) << 32 | written.dwLowDateTime;
  return ToLower(path) + L"|" + std::to_wstring(size.QuadPart) + L"|" + std::to_wstring(time);
}

// A journal the terminal holds open for writing cannot be opened so; it is sized and read as
// any text file then, and never remembered.
std::wstring AccountOfBusyJournal(const std::wstring& path) {
  if (!WithinSize(g_files.GetFileLength(path))) return {};
  return AccountFromJournal(g_files.ReadTextFile(path));
}

std::wstring AccountOfJournal(const std::wstring& path) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  FILETIME written{};
  // Under Wine the whole file information costs a millisecond a file; size and time do not.
  if (!file || !GetFileSizeEx(file.Get(), &size) || !GetFileTime(file.Get(), nullptr, nullptr, &written)) {
    return AccountOfBusyJournal(path);
  }
  if (!WithinSize(static_cast<double>(size.QuadPart))) return {};
  const std::wstring key = JournalKey(path, size, written);
  if (JournalsWithoutAccount().Has(key)) return {};
  const std::optional<std::string> bytes = g_files.ReadOpenFile(file.Get());
  std::wstring account;
  if (bytes && JournalMayNameAccount(*bytes)) account = AccountFromJournal(g_files.TextOfBytes(*bytes));
  if (bytes && account.empty()) JournalsWithoutAccount().Add(key);
  return account;
}

}  // namespace

std::wstring AccountFromJournals(const std::wstring& logsFolder) {
  std::vector<std::wstring> journals;
  g_files.FindFiles(logsFolder, journals, false);
  for (const std::wstring& journal : JournalsNewestFirst(std::move(journals))) {
    std::wstring account = AccountOfJournal(journal);
    if (!account.empty()) return account;
  }
  return {};
}
