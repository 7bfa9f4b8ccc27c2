#include "tests/tools/fake_terminal_logs.h"

#include <windows.h>

#include <cstdio>

#include "common/unique_handle.h"

namespace {

// The levels of the log's first column.
constexpr int kInfo = 0, kWarning = 1, kLoadEvent = 2, kError = 3;
constexpr char kRefusedCall[] = "orbix.dll::Initialize";

// Appends "level<TAB>HH:MM:SS.mmm<TAB>text" to the day's file of a log folder, creating the folder.
void Append(const std::wstring& dataFolder, const wchar_t* logFolder, int level, const std::string& text) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  const std::wstring folder = dataFolder + logFolder + L"\\";
  for (std::size_t end = folder.find(L'\\', dataFolder.size()); end != std::wstring::npos;
       end = folder.find(L'\\', end + 1)) {
    CreateDirectoryW(folder.substr(0, end).c_str(), nullptr);
  }
  wchar_t name[16] = {};
  swprintf(name, std::size(name), L"%04u%02u%02u.log", now.wYear, now.wMonth, now.wDay);
  char stamp[32] = {};
  snprintf(stamp, sizeof stamp, "%d\t%02u:%02u:%02u.%03u\t", level, now.wHour, now.wMinute, now.wSecond,
           now.wMilliseconds);
  const std::string line = stamp + text + "\r\n";
  UniqueHandle file(CreateFileW((folder + name).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  if (file) WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

constexpr wchar_t kJournal[] = L"logs";
constexpr wchar_t kExpertsLog[] = L"MQL4\\Logs";

// The EA as its own lines name it: without the subfolder its load names.
std::string Subject(const ChartExpert& expert) {
  return expert.path.substr(expert.path.rfind('\\') + 1) + " " + expert.chart;
}

void Loaded(const std::wstring& dataFolder, const ChartExpert& expert) {
  const std::string text = "Expert " + expert.path + " " + expert.chart + ": loaded successfully";
  Append(dataFolder, kJournal, kLoadEvent, text);
  Append(dataFolder, kExpertsLog, kInfo, text);
}

void Removed(const std::wstring& dataFolder, const ChartExpert& expert) {
  const std::string text = "Expert " + Subject(expert) + ": removed";
  Append(dataFolder, kJournal, kLoadEvent, text);
  Append(dataFolder, kExpertsLog, kInfo, text);
}

void RefusedDll(const std::wstring& dataFolder, const ChartExpert& expert) {
  const std::string subject = Subject(expert);
  Append(dataFolder, kExpertsLog, kWarning, std::string("Cannot call '") + kRefusedCall + "', DLL is not allowed");
  Append(dataFolder, kExpertsLog, kWarning, subject + ": unresolved import function call");
  Append(dataFolder, kExpertsLog, kError, subject + ": not initialized");
  Append(dataFolder, kExpertsLog, kInfo, subject + ": uninit reason 8");
  Removed(dataFolder, expert);
}

}  // namespace

std::vector<ChartExpert> StartExperts(const std::wstring& dataFolder, const std::vector<ChartExpert>& experts,
                                      bool dllImports) {
  std::vector<ChartExpert> running;
  for (const ChartExpert& expert : experts) {
    Loaded(dataFolder, expert);
    if (!dllImports) {
      RefusedDll(dataFolder, expert);
      continue;
    }
    Append(dataFolder, kExpertsLog, kInfo, Subject(expert) + ": initialized");
    running.push_back(expert);
  }
  return running;
}

void StopExperts(const std::wstring& dataFolder, const std::vector<ChartExpert>& running) {
  // The terminal takes every EA down first, then removes them.
  for (const ChartExpert& expert : running) {
    Append(dataFolder, kExpertsLog, kInfo, Subject(expert) + ": uninit reason 9");
  }
  for (const ChartExpert& expert : running) Removed(dataFolder, expert);
}
