#include "common/folder_browser.h"

#include <shlobj.h>

namespace {

int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM param, LPARAM data) {
  if (message == BFFM_INITIALIZED && data != 0) {
    SendMessageW(window, BFFM_SETSELECTIONW, TRUE, data);
  } else if (message == BFFM_SELCHANGED) {
    wchar_t path[MAX_PATH] = {};
    if (SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(param), path)) {
      SendMessageW(window, BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(path));
    }
  }
  return 0;
}

}  // namespace

std::wstring ShowFolderBrowser(HWND owner, const std::wstring& title, const std::wstring& initialFolder) {
  const std::wstring caption = title.empty() ? L"Select Folder" : title;
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.lpszTitle = caption.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
  info.lpfn = BrowseCallback;
  info.lParam = initialFolder.empty() ? 0 : reinterpret_cast<LPARAM>(initialFolder.c_str());

  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  std::wstring result;
  if (PIDLIST_ABSOLUTE picked = SHBrowseForFolderW(&info)) {
    wchar_t path[MAX_PATH] = {};
    if (SHGetPathFromIDListW(picked, path) && path[0] != 0) {
      result = path;
      if (result.back() != L'\\') result += L'\\';
    }
    CoTaskMemFree(picked);
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return result;
}
