#include "common/common_controls.h"

namespace {

// Version 6 comes from the side-by-side store the manifest names; that lookup comes before
// any folder search, so the bare name is safe once the search is restricted.
HMODULE Library() {
  static const HMODULE module = [] {
    const HMODULE found = LoadLibraryExW(L"comctl32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return found ? found : LoadLibraryW(L"comctl32.dll");
  }();
  return module;
}

template <typename Function>
Function* Find(const char* name) {
  const HMODULE module = Library();
  return module ? reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace

namespace comctl {

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* controls) {
  static const auto function = Find<decltype(::InitCommonControlsEx)>("InitCommonControlsEx");
  return function && function(controls);
}

BOOL SetWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data) {
  static const auto function = Find<decltype(::SetWindowSubclass)>("SetWindowSubclass");
  return function && function(window, procedure, id, data);
}

BOOL RemoveWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id) {
  static const auto function = Find<decltype(::RemoveWindowSubclass)>("RemoveWindowSubclass");
  return function && function(window, procedure, id);
}

LRESULT DefSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  static const auto function = Find<decltype(::DefSubclassProc)>("DefSubclassProc");
  return function ? function(window, message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace comctl
