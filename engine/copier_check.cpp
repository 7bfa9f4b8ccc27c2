#include "engine/copier_check.h"

#include <windows.h>

#include <algorithm>

#include "charts/chart_files.h"
#include "charts/chart_kinds.h"
#include "charts/first_chart.h"
#include "common/file_ctrl.h"
#include "common/path_text.h"
#include "common/unique_handle.h"
#include "deploy/package_role.h"
#include "terminal/data_folder_map.h"
#include "terminal/mt_assist.h"
#include "terminal/terminal_entry.h"

namespace {

// A log is read from its end in growing pieces until the EA's last load is in the piece.
constexpr LONGLONG kFirstTailBytes = 64 * 1024;
constexpr LONGLONG kMaxTailBytes = 16 * 1024 * 1024;

// The terminal keeps its logs open for writing while it runs.
UniqueHandle OpenShared(const std::wstring& path) {
  return UniqueHandle(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::string ReadTail(HANDLE file, LONGLONG size, LONGLONG bytes) {
  const LONGLONG start = std::max<LONGLONG>(0, size - bytes);
  LARGE_INTEGER at{};
  at.QuadPart = start;
  if (!SetFilePointerEx(file, at, nullptr, FILE_BEGIN)) return {};
  std::string text(static_cast<std::size_t>(size - start), '\0');
  DWORD read = 0;
  if (!ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr)) return {};
  text.resize(read);
  // A piece that starts inside a line drops that line's end.
  if (start > 0) text.erase(0, std::min(text.size(), text.find('\n') + 1));
  return text;
}

EaLogVerdict ReadLogTail(const std::wstring& path, const std::string& eaName) {
  UniqueHandle file = OpenShared(path);
  LARGE_INTEGER size{};
  if (!file || !GetFileSizeEx(file.Get(), &size)) return {};
  EaLogVerdict verdict;
  for (LONGLONG bytes = kFirstTailBytes;; bytes *= 4) {
    verdict = ReadEaLog(ReadTail(file.Get(), size.QuadPart, bytes), eaName);
    if (verdict.state != EaLogState::kUnknown || bytes >= size.QuadPart || bytes >= kMaxTailBytes) return verdict;
  }
}

// "YYYYMMDD" of the newest log of a folder, and its path.
std::pair<std::wstring, std::wstring> NewestLog(const std::wstring& folder) {
  std::vector<std::wstring> logs;
  g_files.FindFiles(folder + L"*.log", logs, false);
  std::wstring newest;
  for (const std::wstring& log : logs) {
    const std::wstring name = FileNameOf(log, false);
    if (name.size() == 8 && std::all_of(name.begin(), name.end(), iswdigit) && name > FileNameOf(newest, false)) {
      newest = log;
    }
  }
  return {FileNameOf(newest, false), newest};
}

// The experts log says what the EA did; the journal only that it was loaded.
struct LogRead {
  EaLogVerdict verdict;
  std::wstring day;
};
LogRead ReadLogs(const std::wstring& dataFolder, const std::wstring& eaName) {
  const std::string name = g_files.AnsiBytesOf(eaName);
  std::pair<std::wstring, std::wstring> experts = NewestLog(dataFolder + L"MQL4\\Logs\\");
  if (experts.second.empty()) experts = NewestLog(dataFolder + L"experts\\logs\\");
  LogRead read{experts.second.empty() ? EaLogVerdict{} : ReadLogTail(experts.second, name), experts.first};
  if (read.verdict.state != EaLogState::kUnknown) return read;
  const auto journal = NewestLog(dataFolder + L"logs\\");
  if (journal.second.empty()) return read;
  return {ReadLogTail(journal.second, name), journal.first};
}

// experts.ini and the day and time the terminal last wrote it.
void ReadOptions(const std::wstring& dataFolder, const std::wstring& logDay, HealthFacts& facts) {
  const std::wstring path = dataFolder + L"config\\experts.ini";
  UniqueHandle file = OpenShared(path);
  FILETIME written{};
  if (!file || !GetFileTime(file.Get(), nullptr, nullptr, &written)) return;
  if (const std::optional<std::string> bytes = g_files.ReadOpenFile(file.Get())) facts.options = ReadExpertOptions(*bytes);
  FILETIME local{};
  SYSTEMTIME time{};
  if (!FileTimeToLocalFileTime(&written, &local) || !FileTimeToSystemTime(&local, &time)) return;
  wchar_t day[16] = {};
  char clock[16] = {};
  swprintf(day, 16, L"%04u%02u%02u", time.wYear, time.wMonth, time.wDay);
  snprintf(clock, sizeof clock, "%02u:%02u:%02u", time.wHour, time.wMinute, time.wSecond);
  // Times of day compare only within one day: the later day's word wins.
  if (logDay > day) return;
  if (logDay < day) facts.log.autoTrading.reset();
  facts.optionsTime = clock;
}

bool OnChart(const std::wstring& dataFolder, const std::wstring& eaName) {
  std::vector<std::wstring> notices;
  const std::wstring profile = chart_files::FindProfileFolder(dataFolder, notices);
  if (profile.empty()) return false;
  std::vector<std::wstring> charts;
  g_files.FindFiles(profile + L"\\*.chr", charts, false);
  return std::any_of(charts.begin(), charts.end(), [&](const std::wstring& chart) {
    const std::optional<std::wstring> text = chart_files::ReadChartText(chart);
    return text && CarriesEa(*text, eaName);
  });
}

void CheckFiles(const std::wstring& mqlFolder, const CopierTarget& target, HealthFacts& facts) {
  if (mqlFolder.empty() || !FileExists(mqlFolder + L"experts\\" + target.eaName + L".ex4")) return;
  for (const std::wstring& name : target.libraryNames) {
    const std::wstring library = mqlFolder + L"libraries\\" + name;
    if (!FileExists(library)) continue;
    facts.filesInPlace = true;
    facts.libraryCurrent = target.libraryVersion.empty() ||
                           g_files.CompareVersion(g_files.GetFileVersionText(library), target.libraryVersion) >= 0;
    return;
  }
}

bool IsRunning(const std::wstring& installFolder, const std::vector<std::wstring>& runningExePaths) {
  return std::any_of(runningExePaths.begin(), runningExePaths.end(),
                     [&](const std::wstring& exe) { return RunsUnder(exe, installFolder); });
}

}  // namespace

CopierTarget CopierTargetOf(const CPackage& package, SignalRole role) {
  CopierTarget target;
  const std::wstring& file = role == kRoleReceiver ? package.ReceiverPackageName() : package.ProviderPackageName();
  if (!file.empty()) target.eaName = RoleEaNameOf(file);
  target.libraryNames = {L"orbix.dll", L"orbixw.dll"};
  for (const std::wstring& name : target.libraryNames) {
    const std::wstring beside = package.PackageFolder() + name;
    if (!FileExists(beside)) continue;
    target.libraryVersion = g_files.GetFileVersionText(beside);
    break;
  }
  return target;
}

CopierCheck CheckCopier(const std::wstring& installFolder, const CopierTarget& target,
                        const std::vector<std::wstring>& runningExePaths, const DataFolderMap& dataFolders) {
  CopierCheck check;
  HealthFacts& facts = check.facts;
  const std::wstring install = WithTrailingBackslash(installFolder);
  std::wstring dataFolder = dataFolders.Find(installFolder);
  const std::wstring mql = dataFolder.empty() ? g_mtAssist.GetMqlFolder(installFolder)
                                              : g_mtAssist.GetMqlFolder(dataFolder);
  if (dataFolder.empty()) dataFolder = install;
  CheckFiles(WithTrailingBackslash(mql), target, facts);
  facts.onChart = OnChart(dataFolder, target.eaName);
  const LogRead logs = ReadLogs(dataFolder, target.eaName);
  facts.log = logs.verdict;
  ReadOptions(dataFolder, logs.day, facts);
  facts.terminalRunning = IsRunning(installFolder, runningExePaths);
  check.health = JudgeHealth(facts);
  return check;
}
