#pragma once
#include <windows.h>
#include <commctrl.h>

// The common-controls functions the installer calls, found at first use. A static import
// would load comctl32 before the program's first line, and with it the DLLs it pulls in
// (uxtheme and others) from the installer's own folder.
namespace comctl {
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* controls);
BOOL SetWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data);
BOOL RemoveWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id);
LRESULT DefSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
}  // namespace comctl
