#pragma once
#include <windows.h>
#include <commctrl.h>

#include "app/terminal_rows.h"

// Shows TerminalRows in the list control and carries the user's ticks and selection back.
class CTerminalListView {
 public:
  void Attach(HWND list) { list_ = list; }
  HWND Handle() const { return list_; }

  // Styles and the six columns; the widths follow the window's outer width.
  void SetUp(int windowWidth);
  void SetColumnWidths(int windowWidth);
  // Rewrites every row from the model.
  void Show(const TerminalRows& model);
  void ShowRow(const TerminalRows& model, int index);
  void ShowCopierColumn(const TerminalRows& model);
  // A tick the user clicked, or a new selection, reaches the model.
  void OnItemChanged(const NMLISTVIEW& change, TerminalRows& model) const;
  int SelectionMark() const;

 private:
  void SetText(int row, int column, const std::wstring& text);
  HWND list_ = nullptr;
  bool showing_ = false;
};
