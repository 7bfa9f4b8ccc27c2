#include <windows.h>

#include "app/dlg_inst_multi.h"
#include "app/queued_input.h"
#include "app/resource.h"
#include "common/message_ids.h"
#include "common/message_pump.h"
#include "common/winmsg.h"

void CDlgInstMulti::BeginRowRun() {
  installing_ = true;
  stopCloseWait_ = false;
  SetDlgItemTextW(Window(), IDCANCEL, g_lang.GetText(msg::kCancel).c_str());
  SetCloseWatch(this);
}

void CDlgInstMulti::EndRowRun() {
  SetCloseWatch(nullptr);
  ShowSearchStatus(false);
  SetDlgItemTextW(Window(), IDCANCEL, g_lang.GetText(msg::kExit).c_str());
  installing_ = false;
  DropQueuedInput();
}

// Paints the wait and lets clicks reach the Cancel button only; each stop ends one wait.
bool CDlgInstMulti::KeepWaiting(const std::wstring& terminal, int secondsLeft) {
  std::wstring text = ReplaceAll(g_lang.GetText(msg::kWaitingForClose), L"{0}", terminal);
  text = ReplaceAll(std::move(text), L"{1}", std::to_wstring(secondsLeft));
  SetDlgItemTextW(Window(), IDC_SEARCH_STATUS, text.c_str());
  ShowWindow(Item(IDC_SEARCH_STATUS), SW_SHOW);
  ShowWindow(Item(IDC_TERMINAL_LIST), SW_HIDE);
  // The start-up update waits before the dialog would show itself: Cancel must be there to click.
  if (!IsWindowVisible(Window())) ShowWindow(Window(), SW_SHOW);
  DispatchPaintAndClicksOn(Item(IDCANCEL));
  const bool keep = !stopCloseWait_;
  stopCloseWait_ = false;
  return keep;
}
