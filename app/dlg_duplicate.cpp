#include <windows.h>

#include "app/dlg_inst_multi.h"
#include "app/resource.h"
#include "app/window_run.h"
#include "common/file_ctrl.h"
#include "common/message_ids.h"
#include "common/message_pump.h"
#include "common/path_text.h"
#include "common/product_texts.h"
#include "common/seams.h"
#include "common/winmsg.h"
#include "duplicate/duplicate_terminal.h"
#include "engine/terminal_runs.h"
#include "terminal/mt_assist.h"
#include "terminal/terminal_entry.h"
#include "terminal/terminal_probe_text.h"

void CDlgInstMulti::OnDuplicate() {
  SyncSelection();
  const std::optional<int> selected = rows_.Selected();
  if (!selected) {
    ShowMessage(g_lang.GetText(msg::kChooseToDuplicate), Window());
    return;
  }
  const std::wstring folder = rows_.rows[*selected].installFolder;
  const std::wstring question = g_lang.GetText(msg::kConfirmDuplicate) + L"\n" + folder;
  if (Prompt().AskYesNo(Window(), question, g_lang.GetProductText(product_text::kDisplayName))) {
    DuplicateAndStart(folder);
  }
}

// The copier came along with the files, so the copy's row keeps the source's Type.
std::wstring CDlgInstMulti::ListedRole(const std::wstring& folder) const {
  for (const TerminalEntry& row : rows_.rows) {
    if (RowKey(row.installFolder) == RowKey(folder)) return row.role;
  }
  return {};
}

void CDlgInstMulti::DuplicateAndStart(const std::wstring& folder) {
  DuplicateOutcome outcome;
  {
    const BusyRun busy(Window(), busy_, Busy::kDuplicating, g_lang.GetText(msg::kDuplicating));
    WindowRun ui(Window(), busy_, rows_, listView_, {});
    outcome = RunDuplicate(folder, ui, ui);
  }
  ShowMessage(outcome.message, Window());
  if (outcome.succeeded) {
    rows_.rows.push_back({false, NormalizeInstallFolder(outcome.target), L"", ListedRole(folder), L""});
    ShowRows();
    SaveTerminalList();
    g_files.ShellOpen(g_mtAssist.GetTerminalExe(WithTrailingBackslash(outcome.target)));
  }
}
