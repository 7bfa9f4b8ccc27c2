#include "app/terminal_list_view.h"

#include <algorithm>
#include <utility>

#include "common/message_ids.h"
#include "common/winmsg.h"

namespace {

constexpr int kColumns = 6;
constexpr DWORD kListStyles = LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT;

int ColumnWidth(int column, int windowWidth) {
  switch (column) {
    case 0: return 30;
    case 1: return windowWidth / 2 - 100;
    case 2: return 100;
    case 3: return 80;
    // State and Copier share what is left.
    case 4: return (windowWidth - windowWidth / 2 - 160) * 11 / 20;
    default: return windowWidth - windowWidth / 2 - 160 - ColumnWidth(4, windowWidth);
  }
}

}  // namespace

void CTerminalListView::SetUp(int windowWidth) {
  ListView_SetExtendedListViewStyleEx(list_, kListStyles, kListStyles);
  ListView_DeleteAllItems(list_);
  HWND header = ListView_GetHeader(list_);
  for (int column = Header_GetItemCount(header) - 1; column >= 0; --column) ListView_DeleteColumn(list_, column);
  const int headers[] = {-1, msg::kColumnInstallFolder, msg::kColumnAccount, msg::kColumnType, msg::kColumnState,
                         msg::kColumnCopier};
  for (int column = 0; column < kColumns; ++column) {
    std::wstring text = headers[column] < 0 ? L"" : g_lang.GetText(headers[column]);
    LVCOLUMNW info{};
    info.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    info.pszText = text.data();
    info.cx = ColumnWidth(column, windowWidth);
    info.iSubItem = column;
    ListView_InsertColumn(list_, column, &info);
  }
}

void CTerminalListView::SetColumnWidths(int windowWidth) {
  for (int column = 0; column < kColumns; ++column) ListView_SetColumnWidth(list_, column, ColumnWidth(column, windowWidth));
}

void CTerminalListView::Show(const TerminalRows& model) {
  showing_ = true;
  SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  ListView_DeleteAllItems(list_);
  for (int i = 0; i < static_cast<int>(model.rows.size()); ++i) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = i;
    item.pszText = const_cast<wchar_t*>(L"");
    ListView_InsertItem(list_, &item);
    ShowRow(model, i);
  }
  if (const std::optional<int> selected = model.Selected()) {
    ListView_SetItemState(list_, *selected, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetSelectionMark(list_, *selected);
  }
  SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list_, nullptr, TRUE);
  showing_ = false;
}

void CTerminalListView::ShowRow(const TerminalRows& model, int index) {
  const TerminalEntry& row = model.rows[index];
  const bool wasShowing = showing_;
  showing_ = true;
  SetText(index, 1, row.installFolder);
  SetText(index, 2, row.account);
  SetText(index, 3, row.role);
  SetText(index, 4, row.unavailable ? g_lang.GetText(msg::kFolderUnavailable) : row.state);
  SetText(index, 5, row.role.empty() ? L"" : row.copier);
  ListView_SetCheckState(list_, index, row.ticked);
  showing_ = wasShowing;
}

void CTerminalListView::ShowCopierColumn(const TerminalRows& model) {
  const bool wasShowing = std::exchange(showing_, true);
  const int shown = std::min(ListView_GetItemCount(list_), static_cast<int>(model.rows.size()));
  for (int i = 0; i < shown; ++i) SetText(i, 5, model.rows[i].role.empty() ? L"" : model.rows[i].copier);
  showing_ = wasShowing;
}

void CTerminalListView::OnItemChanged(const NMLISTVIEW& change, TerminalRows& model) const {
  if (showing_ || change.iItem < 0 || change.iItem >= static_cast<int>(model.rows.size())) return;
  if ((change.uChanged & LVIF_STATE) == 0) return;
  if ((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK) {
    model.rows[change.iItem].ticked = ListView_GetCheckState(list_, change.iItem) != FALSE;
  }
  model.selectionMark = SelectionMark();
}

int CTerminalListView::SelectionMark() const { return ListView_GetSelectionMark(list_); }

void CTerminalListView::SetText(int row, int column, const std::wstring& text) {
  std::wstring copy = text;
  ListView_SetItemText(list_, row, column, copy.data());
}
