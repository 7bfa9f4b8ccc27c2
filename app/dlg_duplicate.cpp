#include <windows.h>

#include "app/dlg_inst_multi.h"
#include "app/resource.h"
#include "common/file_ctrl.h"
#include "common/message_ids.h"
#include "common/product_texts.h"
#include "common/seams.h"
#include "common/winmsg.h"
#include "duplicate/duplicate_terminal.h"
#include "terminal/mt_assist.h"
#include "terminal/terminal_probe_text.h"

void CDlgInstMulti::OnDuplicate() {
  SyncSelection();
  if (rows_.selectionMark < 0 || rows_.selectionMark >= static_cast<int>(rows_.rows.size())) {
    ShowMessage(g_lang.GetText(msg::kChooseToDuplicate), Window());
    return;
  }
  const std::wstring folder = rows_.rows[rows_.selectionMark].installFolder;
  const std::wstring question = g_lang.GetText(msg::kConfirmDuplicate) + L"\n" + folder;
  if (Prompt().AskYesNo(Window(), question, g_lang.GetProductText(product_text::kDisplayName))) {
    DuplicateAndStart(folder);
  }
}

void CDlgInstMulti::DuplicateAndStart(const std::wstring& folder) {
  SetDlgItemTextW(Window(), IDC_SEARCH_STATUS, g_lang.GetText(msg::kDuplicating).c_str());
  ShowWindow(Item(IDC_SEARCH_STATUS), SW_SHOW);
  ShowWindow(Item(IDC_TERMINAL_LIST), SW_HIDE);
  UpdateWindow(Window());
  const DuplicateOutcome outcome = DuplicateTerminal(folder);
  ShowMessage(outcome.message, Window());
  if (outcome.succeeded) {
    rows_.rows.push_back({false, NormalizeInstallFolder(outcome.target), L"", L"", L""});
    ShowRows();
    SaveTerminalList();
    std::wstring target = outcome.target;
    if (target.back() != L'\\') target += L'\\';
    g_files.ShellOpen(g_mtAssist.GetTerminalExe(target));
  }
  ShowSearchStatus(false);
}
