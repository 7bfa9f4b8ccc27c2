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
  // A prefix with 32-bit Wine registers the 32-bit browser for 64-bit programs too.
  wchar_t path[MAX_PATH] = {};
  DWORD size = sizeof path;
  if (RegGetValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE",
                   nullptr, RRF_RT_REG_SZ, nullptr, path, &size) == ERROR_SUCCESS &&
      GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES) {
    return path;
  }
  ExpandEnvironmentStringsW(L"%ProgramFiles%\\Internet Explorer\\iexplore.exe", path, MAX_PATH);
  return path;
}

namespace {

struct WindowSearch {
  DWORD processId;
  const std::function<bool(HWND)>* matches;
  HWND window;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || !(*search->matches)(window)) return TRUE;
  search->window = window;
  return FALSE;
}

}  // namespace

HWND TopWindowOf(DWORD processId, const std::function<bool(HWND)>& matches) {
  WindowSearch search{processId, &matches, nullptr};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.window;
}

HWND InstallerWindowOf(DWORD processId) {
  return TopWindowOf(processId,
                     [](HWND window) { return IsWindowVisible(window) && GetDlgItem(window, IDC_TERMINAL_LIST); });
}
