#include <windows.h>

#include "app/dlg_inst_multi.h"
#include "common/file_failure.h"
#include "common/message_ids.h"
#include "common/message_pump.h"
#include "common/path_text.h"
#include "common/seams.h"
#include "common/winmsg.h"
#include "deploy/uninstall.h"

void CDlgInstMulti::OnUninstall() {
  const std::vector<int> indexes = RowsToInstall();
  if (indexes.empty()) {
    ShowMessage(g_lang.GetText(msg::kSelectToUninstall), Window());
    return;
  }
  TakeAccessDenied();
  {
    const BusyRun busy(Window(), busy_, Busy::kRunning, this);
    for (int index : indexes) UninstallRow(index, ParentFolderOf(installerPath_));
  }
  OfferElevatedRestart();
}

// Removes the copier from the row's terminal and writes the outcome into its State and Type.
void CDlgInstMulti::UninstallRow(int index, const std::wstring& installerFolder) {
  rows_.rows[index].state = g_lang.GetText(msg::kUninstalling);
  rows_.rows[index].unavailable = false;
  listView_.ShowRow(rows_, index);
  DispatchPaintMessages();
  const std::wstring folder = WithTrailingBackslash(rows_.rows[index].installFolder);
  const UninstallRowText outcome = RowTextOf(UninstallTerminal(folder, installerFolder, Window()));
  TerminalEntry& row = rows_.rows[index];
  row.state = g_lang.GetText(outcome.message);
  if (outcome.clearsType) row.role.clear();
  row.ticked = false;
  listView_.ShowRow(rows_, index);
}
