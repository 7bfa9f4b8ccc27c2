#include <windows.h>

#include "app/dlg_inst_multi.h"
#include "app/resource.h"
#include "app/window_run.h"
#include "common/file_ctrl.h"
#include "common/message_ids.h"
#include "common/product_texts.h"
#include "common/seams.h"
#include "common/winmsg.h"
#include "engine/terminal_runs.h"
#include "terminal/mt_assist.h"
#include "terminal/terminal_probe_text.h"

void CDlgInstMulti::OnHideShow(int showCommand) {
  const std::vector<int> indexes = rows_.TickedOrAll();
  g_mtAssist.ShowTerminalsUnder(rows_.Folders(indexes), showCommand);
  for (int index : indexes) rows_.rows[index].ticked = false;
  ShowRows();
}

void CDlgInstMulti::OnCloseTerminals() {
  const std::wstring caption = g_lang.GetProductText(product_text::kDisplayName);
  if (rows_.AnyTicked()) {
    if (!Prompt().AskYesNo(Window(), g_lang.GetText(msg::kConfirmCloseSelected), caption)) return;
    const std::vector<int> indexes = rows_.TickedOrAll();
    {
      const BusyRun busy(Window(), busy_, Busy::kRunning);
      WindowRun ui(Window(), busy_, rows_, listView_, {});
      const RunWatch watch(ui, ui);
      g_mtAssist.CloseTerminalsUnder(rows_.Folders(indexes));
    }
    for (int index : indexes) rows_.rows[index].ticked = false;
    ShowRows();
  } else {
    if (!Prompt().AskYesNo(Window(), g_lang.GetText(msg::kConfirmCloseAll), caption)) return;
    const BusyRun busy(Window(), busy_, Busy::kRunning);
    WindowRun ui(Window(), busy_, rows_, listView_, {});
    const RunWatch watch(ui, ui);
    g_mtAssist.CloseAllTerminals();
  }
  Wait().Sleep(1000);
}

void CDlgInstMulti::OnLaunch() {
  SyncSelection();
  const std::vector<int> indexes = rows_.TickedOrSelected();
  if (indexes.empty()) {
    ShowMessage(g_lang.GetText(msg::kSelectInstallFolder), Window());
    return;
  }
  for (int index : indexes) {
    rows_.rows[index].ticked = false;
    std::wstring folder = rows_.rows[index].installFolder;
    if (folder.empty() || folder.back() != L'\\') folder += L'\\';
    const std::wstring exe = g_mtAssist.GetTerminalExe(folder);
    if (PathKind(exe) != kPathNone) {
      Launcher().Open(exe, L"", SW_SHOWNORMAL, L"");
    } else {
      ShowMessage(L"Terminal not found!\n" + exe, Window());
    }
    Wait().Sleep(500);
  }
  ShowRows();
}

void CDlgInstMulti::OnOpenFolder() {
  SyncSelection();
  const std::vector<int> ticked = rows_.AnyTicked() ? rows_.TickedOrAll() : std::vector<int>{};
  const int index = rows_.Selected().value_or(ticked.empty() ? -1 : ticked.front());
  if (index < 0) {
    ShowMessage(g_lang.GetText(msg::kSelectInstallFolder), Window());
    return;
  }
  Launcher().Open(rows_.rows[index].installFolder, L"", SW_SHOWNORMAL, L"");
}
