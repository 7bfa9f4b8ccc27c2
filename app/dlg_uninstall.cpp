#include <windows.h>

#include "app/dlg_inst_multi.h"
#include "app/window_run.h"
#include "common/file_failure.h"
#include "common/message_ids.h"
#include "common/path_text.h"
#include "common/seams.h"
#include "common/winmsg.h"
#include "engine/terminal_runs.h"

// Removes the copier from the chosen rows' terminals, writing each outcome into its State and Type.
void CDlgInstMulti::OnUninstall() {
  SyncSelection();
  const std::vector<int> indexes = rows_.ForRun();
  if (indexes.empty()) {
    ShowMessage(g_lang.GetText(msg::kSelectToUninstall), Window());
    return;
  }
  TakeAccessDenied();
  {
    const BusyRun busy(Window(), busy_, Busy::kRunning);
    WindowRun ui(Window(), busy_, rows_, listView_, indexes);
    RunUninstall(rows_.Folders(indexes), ParentFolderOf(installerPath_), ui, ui);
  }
  OfferElevatedRestart();
}
