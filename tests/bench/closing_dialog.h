#pragma once
#include <windows.h>

// The procedure of the benchmark's yardstick dialogs: it does nothing but close on Cancel.
inline INT_PTR CALLBACK ClosingDialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
    EndDialog(window, IDCANCEL);
    return TRUE;
  }
  return FALSE;
}
