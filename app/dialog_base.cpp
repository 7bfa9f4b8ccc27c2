#include "app/dialog_base.h"

CDialogBase::CDialogBase(HINSTANCE instance, int templateId) : instance_(instance), templateId_(templateId) {}

INT_PTR CDialogBase::RunModal(HWND owner) {
  modal_ = true;
  return DialogBoxParamW(instance_, MAKEINTRESOURCEW(templateId_), owner, Procedure,
                         reinterpret_cast<LPARAM>(this));
}

HWND CDialogBase::CreateModeless(HWND owner) {
  modal_ = false;
  return CreateDialogParamW(instance_, MAKEINTRESOURCEW(templateId_), owner, Procedure,
                            reinterpret_cast<LPARAM>(this));
}

void CDialogBase::End(INT_PTR result) {
  if (window_ == nullptr) return;
  if (modal_) {
    EndDialog(window_, result);
  } else {
    DestroyWindow(window_);
  }
}

INT_PTR CALLBACK CDialogBase::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<CDialogBase*>(lParam);
    SetWindowLongPtrW(window, DWLP_USER, lParam);
    self->window_ = window;
  }
  auto* self = reinterpret_cast<CDialogBase*>(GetWindowLongPtrW(window, DWLP_USER));
  if (self == nullptr) return FALSE;
  // Nothing may unwind into user32.
  try {
    return self->Dispatch(message, wParam, lParam);
  } catch (...) {
    return FALSE;
  }
}

namespace {
// WM_DPICHANGED, which the Windows 7 headers do not declare.
constexpr UINT kDpiChangedMessage = 0x02E0;
}  // namespace

INT_PTR CDialogBase::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInit() ? TRUE : FALSE;
    case WM_COMMAND:
      return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (!OnNotify(*reinterpret_cast<const NMHDR*>(lParam), result)) return FALSE;
      SetWindowLongPtrW(window_, DWLP_MSGRESULT, result);
      return TRUE;
    }
    case WM_SIZE:
      OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
      return TRUE;
    case WM_TIMER:
      OnTimer(wParam);
      return TRUE;
    case kDpiChangedMessage:
      OnDpiChanged(*reinterpret_cast<const RECT*>(lParam));
      return TRUE;
    case WM_NCDESTROY:
      SetWindowLongPtrW(window_, DWLP_USER, 0);
      window_ = nullptr;
      return FALSE;
    default:
      return OnMessage(message, wParam, lParam) ? TRUE : FALSE;
  }
}
