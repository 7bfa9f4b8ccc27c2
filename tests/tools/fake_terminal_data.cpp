#include "tests/tools/fake_terminal_data.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdint>
#include <utility>

#include "common/unique_handle.h"
#include "terminal/data_folder_id.h"

namespace {

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadBytes(const std::wstring& path) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file || !GetFileSizeEx(file.Get(), &size) || size.QuadPart > (1 << 24)) return {};
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) return {};
  bytes.resize(read);
  return bytes;
}

// The names in a folder that match a pattern, sorted: Wine lists in no particular order.
std::vector<std::wstring> NamesIn(const std::wstring& folder, const wchar_t* pattern, bool folders) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found{};
  UniqueFind find(FindFirstFileW((folder + pattern).c_str(), &found));
  for (bool more = static_cast<bool>(find); more; more = FindNextFileW(find.Get(), &found)) {
    const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (isFolder == folders && found.cFileName[0] != L'.') names.push_back(found.cFileName);
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::wstring WithoutTrailingBackslashes(std::wstring path) {
  while (!path.empty() && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
  return path;
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

// origin.txt: the install folder as UTF-16 LE after its byte-order mark.
std::wstring OriginOf(const std::wstring& dataFolder) {
  const std::string bytes = ReadBytes(dataFolder + L"\\origin.txt");
  std::wstring text;
  for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
    text += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8);
  }
  text.erase(text.find_last_not_of(L" \t\r\n") + 1);
  return WithoutTrailingBackslashes(text);
}

bool NamedAsOrigin(const std::wstring& root, const std::wstring& installFolder) {
  for (const std::wstring& name : NamesIn(root, L"*", true)) {
    if (SamePath(OriginOf(root + name), installFolder)) return true;
  }
  return false;
}

std::wstring DataRoot() {
  wchar_t appData[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData))) return {};
  return WithoutTrailingBackslashes(appData) + L"\\MetaQuotes\\Terminal\\";
}

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    line.erase(line.find_last_not_of(" \t\r") + 1);
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

const char* PeriodName(const std::string& minutes) {
  static const std::pair<const char*, const char*> kNames[] = {
      {"1", "M1"},   {"5", "M5"},      {"15", "M15"},       {"30", "M30"},        {"60", "H1"},
      {"240", "H4"}, {"1440", "Daily"}, {"10080", "Weekly"}, {"43200", "Monthly"}};
  for (const auto& [value, name] : kNames) {
    if (minutes == value) return name;
  }
  return nullptr;
}

// The chart's own symbol and period lie in no block but <chart>; the EA's name in <expert>.
bool ExpertOfChart(const std::string& text, ChartExpert& expert) {
  std::vector<std::string> blocks;
  std::string symbol, period;
  for (const std::string& line : LinesOf(text)) {
    if (line.starts_with("</")) {
      if (!blocks.empty()) blocks.pop_back();
    } else if (line.starts_with("<")) {
      blocks.push_back(line);
    } else if (blocks.size() == 1 && line.starts_with("symbol=") && symbol.empty()) {
      symbol = line.substr(7);
    } else if (blocks.size() == 1 && line.starts_with("period=") && period.empty()) {
      period = line.substr(7);
    } else if (!blocks.empty() && blocks.back() == "<expert>" && line.starts_with("name=")) {
      expert.path = line.substr(5);
    }
  }
  const char* periodName = PeriodName(period);
  if (expert.path.empty() || symbol.empty() || !periodName) return false;
  expert.chart = symbol + "," + periodName;
  return true;
}

// lastprofile.ini names the profile in the system's code page; "default" when it names none.
std::wstring ProfileName(const std::wstring& dataFolder) {
  const std::vector<std::string> lines = LinesOf(ReadBytes(dataFolder + L"profiles\\lastprofile.ini"));
  const std::string name = lines.empty() ? std::string() : lines.front();
  if (name.empty() || name.find_first_of("\\/:") != std::string::npos || name == "." || name == "..") {
    return L"default";
  }
  std::wstring wide(name.size(), L'\0');
  wide.resize(MultiByteToWideChar(CP_ACP, 0, name.data(), static_cast<int>(name.size()), wide.data(),
                                  static_cast<int>(wide.size())));
  return wide;
}

}  // namespace

std::wstring FindDataFolder(const std::wstring& exeFolder, bool portable) {
  const std::wstring installFolder = WithoutTrailingBackslashes(exeFolder);
  if (portable) return installFolder + L"\\";
  const std::wstring root = DataRoot();
  if (root.empty()) return {};
  const std::wstring perUser = root + TerminalDataId(installFolder);
  if (IsFolder(perUser)) return perUser + L"\\";
  if (IsFolder(installFolder + L"\\profiles") && !NamedAsOrigin(root, installFolder)) return installFolder + L"\\";
  return {};
}

std::vector<ChartExpert> ProfileExperts(const std::wstring& dataFolder) {
  std::vector<ChartExpert> experts;
  const std::wstring profile = dataFolder + L"profiles\\" + ProfileName(dataFolder) + L"\\";
  for (const std::wstring& name : NamesIn(profile, L"chart*.chr", false)) {
    ChartExpert expert;
    if (ExpertOfChart(ReadBytes(profile + name), expert)) experts.push_back(expert);
  }
  return experts;
}

bool DllImportsAllowed(const std::wstring& dataFolder, const std::wstring& startupConfig) {
  for (const std::string& line : LinesOf(startupConfig.empty() ? std::string() : ReadBytes(startupConfig))) {
    if (line.starts_with("ExpertsDllImport=")) return line.substr(17) == "true" || line.substr(17) == "1";
  }
  constexpr std::size_t kDllImports = 0x14, kLastOption = 0x24;
  const std::string bytes = ReadBytes(dataFolder + L"config\\experts.ini");
  if (bytes.size() < kLastOption + 4) return false;
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[kDllImports + i])) << (8 * i);
  }
  return value != 0;
}
