#include "common/file_ctrl.h"
#include "common/path_text.h"
#include "common/reg_ctrl.h"
#include "common/winmsg.h"
#include "common/seams.h"

namespace {

std::wstring Expanded(const std::wstring& text) {
  wchar_t buffer[MAX_PATH] = {};
  const DWORD length = ExpandEnvironmentStringsW(text.c_str(), buffer, MAX_PATH);
  return length > 0 && length <= MAX_PATH ? buffer : L"";
}

// By full path, never by bare name: a bare name is looked up in the current folder first.
std::wstring InternetExplorerPath() {
  const RegString registered = CRegCtrl().ReadString(
      HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE", L"");
  std::wstring path = Expanded(ReplaceAll(registered.value, L"\"", L""));
  if (!registered.found || !FileExists(path)) path = Expanded(L"%ProgramFiles%\\Internet Explorer\\iexplore.exe");
  return FileExists(path) ? path : L"";
}

}  // namespace

std::wstring CFileCtrl::BrowseForFolder(HWND owner, const std::wstring& title,
                                        const std::wstring& initialFolder) const {
  return WithTrailingBackslash(
      Prompt().BrowseFolder(owner, title.empty() ? L"Select Folder" : title, initialFolder));
}

INT_PTR CFileCtrl::ShellOpen(const std::wstring& file, const std::wstring& parameters, int showCommand) const {
  return Launcher().Open(file, parameters, showCommand, L"");
}

INT_PTR CFileCtrl::ShellOpen(const std::wstring& file) const { return ShellOpen(file, L"", SW_SHOWNORMAL); }

INT_PTR CFileCtrl::OpenInBrowser(const std::wstring& address) const {
  const std::wstring program = InternetExplorerPath();
  const INT_PTR result = program.empty() ? 0 : ShellOpen(program, address, SW_SHOWNORMAL);
  // Results of 32 and below are errors; the default browser takes over then.
  return result > 32 ? result : ShellOpen(address);
}
