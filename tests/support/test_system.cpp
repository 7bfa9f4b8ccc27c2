#include "tests/support/test_system.h"

#include <windows.h>

#include <cstdlib>

#include "app/resource.h"

std::string TestLocale() {
  const char* locale = std::getenv("PANDRAKE_TEST_LOCALE");
  return locale ? locale : "en";
}

std::wstring WindowsPathOfUnixPath(const std::string& unixPath) {
  std::wstring path = L"Z:";
  for (char c : unixPath) path += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
  return path;
}

std::wstring TestProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

std::wstring InternetExplorerProgram() {
  wchar_t path[MAX_PATH] = {};
  ExpandEnvironmentStringsW(L"%ProgramFiles%\\Internet Explorer\\iexplore.exe", path, MAX_PATH);
  return path;
}

namespace {

struct InstallerSearch {
  DWORD processId;
  HWND window;
};

BOOL CALLBACK MatchInstallerWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<InstallerSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || !IsWindowVisible(window) || !GetDlgItem(window, IDC_TERMINAL_LIST)) return TRUE;
  search->window = window;
  return FALSE;
}

}  // namespace

HWND InstallerWindowOf(DWORD processId) {
  InstallerSearch search{processId, nullptr};
  EnumWindows(MatchInstallerWindow, reinterpret_cast<LPARAM>(&search));
  return search.window;
}
