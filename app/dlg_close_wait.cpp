#include <windows.h>

#include <utility>

#include "app/dlg_inst_multi.h"
#include "app/resource.h"
#include "common/message_ids.h"
#include "common/message_pump.h"
#include "common/winmsg.h"

// Paints the wait and lets clicks reach the Cancel button only; each stop ends one wait.
bool CDlgInstMulti::KeepWaiting(const std::wstring& terminal, int secondsLeft) {
  std::wstring text = ReplaceAll(g_lang.GetText(msg::kWaitingForClose), L"{0}", terminal);
  text = ReplaceAll(std::move(text), L"{1}", std::to_wstring(secondsLeft));
  ShowStatusInsteadOfList(Window(), text);
  // The start-up update waits before the dialog would show itself: Cancel must be there to click.
  if (!IsWindowVisible(Window())) ShowWindow(Window(), SW_SHOW);
  DispatchPaintAndClicksOn(Item(IDCANCEL));
  return !std::exchange(busy_.stopRequested, false);
}
