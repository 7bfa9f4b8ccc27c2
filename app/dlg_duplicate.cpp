#include <windows.h>

#include "app/dlg_inst_multi.h"
#include "app/resource.h"
#include "common/file_ctrl.h"
#include "common/message_ids.h"
#include "common/message_pump.h"
#include "common/path_text.h"
#include "common/product_texts.h"
#include "common/seams.h"
#include "common/winmsg.h"
#include "duplicate/duplicate_terminal.h"
#include "terminal/mt_assist.h"
#include "terminal/terminal_entry.h"
#include "terminal/terminal_probe_text.h"

namespace {

constexpr ULONGLONG kProgressEveryMs = 100;

}  // namespace

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

// The copier came along with the files, so the copy's row keeps the source's Type.
std::wstring CDlgInstMulti::ListedRole(const std::wstring& folder) const {
  for (const TerminalEntry& row : rows_.rows) {
    if (RowKey(row.installFolder) == RowKey(folder)) return row.role;
  }
  return {};
}

void CDlgInstMulti::DuplicateAndStart(const std::wstring& folder) {
  lastProgress_ = 0;
  DuplicateOutcome outcome;
  {
    const BusyRun busy(Window(), busy_, Busy::kDuplicating, nullptr, g_lang.GetText(msg::kDuplicating));
    outcome = DuplicateTerminal(folder, [this](const CopyProgress& progress) { return OnDuplicateProgress(progress); });
  }
  ShowMessage(outcome.message, Window());
  if (outcome.succeeded) {
    rows_.rows.push_back({false, NormalizeInstallFolder(outcome.target), L"", ListedRole(folder), L""});
    ShowRows();
    SaveTerminalList();
    g_files.ShellOpen(g_mtAssist.GetTerminalExe(WithTrailingBackslash(outcome.target)));
  }
}

// Paints the progress and lets clicks reach the Exit button only, which stops the copy.
bool CDlgInstMulti::OnDuplicateProgress(const CopyProgress& progress) {
  const ULONGLONG now = GetTickCount64();
  if (now - lastProgress_ < kProgressEveryMs) return !busy_.stopRequested;
  lastProgress_ = now;
  SetDlgItemTextW(Window(), IDC_SEARCH_STATUS, DuplicateProgressText(progress).c_str());
  DispatchPaintAndClicksOn(Item(IDCANCEL));
  return !busy_.stopRequested;
}
