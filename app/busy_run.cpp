#include "app/busy_run.h"

#include "app/queued_input.h"
#include "app/resource.h"
#include "common/message_ids.h"
#include "common/winmsg.h"

void ShowStatusInsteadOfList(HWND window, const std::wstring& text) {
  SetDlgItemTextW(window, IDC_SEARCH_STATUS, text.c_str());
  ShowWindow(GetDlgItem(window, IDC_SEARCH_STATUS), text.empty() ? SW_HIDE : SW_SHOW);
  ShowWindow(GetDlgItem(window, IDC_TERMINAL_LIST), text.empty() ? SW_SHOW : SW_HIDE);
}

BusyRun::BusyRun(HWND window, BusyState& state, Busy kind, const std::wstring& status)
    : window_(window), state_(state) {
  state_.now = kind;
  state_.stopRequested = false;
  SetDlgItemTextW(window_, IDCANCEL, g_lang.GetText(msg::kCancel).c_str());
  if (!status.empty()) {
    ShowStatusInsteadOfList(window_, status);
    UpdateWindow(window_);
  }
}

BusyRun::~BusyRun() {
  ShowStatusInsteadOfList(window_, L"");
  SetDlgItemTextW(window_, IDCANCEL, g_lang.GetText(msg::kExit).c_str());
  state_ = {};
  DropQueuedInput();
}
