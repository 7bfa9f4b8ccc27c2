#include "common/file_ctrl.h"
#include "common/path_text.h"
#include "common/seams.h"

std::wstring CFileCtrl::BrowseForFolder(HWND owner, const std::wstring& title,
                                        const std::wstring& initialFolder) const {
  return WithTrailingBackslash(
      Prompt().BrowseFolder(owner, title.empty() ? L"Select Folder" : title, initialFolder));
}

INT_PTR CFileCtrl::ShellOpen(const std::wstring& file, const std::wstring& parameters, int showCommand) const {
  return Launcher().Open(file, parameters, showCommand);
}

INT_PTR CFileCtrl::ShellOpen(const std::wstring& file) const { return ShellOpen(file, L"", SW_SHOWNORMAL); }

INT_PTR CFileCtrl::OpenInBrowser(const std::wstring& address) const {
  const INT_PTR result = ShellOpen(L"IEXPLORE", address, SW_SHOWNORMAL);
  // Results of 32 and below are errors; the default browser takes over then.
  return result > 32 ? result : ShellOpen(address);
}
