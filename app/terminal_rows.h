#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "terminal/terminal_entry.h"

// The rows of the terminal list and the list's selection mark; the list view shows them.
struct TerminalRows {
  std::vector<TerminalEntry> rows;
  int selectionMark = -1;

  bool AnyTicked() const;
  void TickAll();
  void InvertTicks();
  // Removes the ticked rows, or else the selected one; false when there was neither.
  bool RemoveTickedOrSelected();
  // Removes the rows the test returns true for; the selection stays on its row, or is
  // cleared with it.
  void RemoveWhere(const std::function<bool(TerminalEntry&)>& test);
  // The selected row, when the mark names one.
  std::optional<int> Selected() const;
  // Rows that are ticked or are the selection mark, in list order.
  std::vector<int> TickedOrSelected() const;
  // The ticked rows, or every row when none is ticked: Hide, Show and Close.
  std::vector<int> TickedOrAll() const;
  // The ticked rows, or else the selected one: what an install or uninstall takes.
  std::vector<int> ForRun() const;
  std::vector<std::wstring> Folders(const std::vector<int>& indexes) const;
};

// The text a click on the State cell shows, or "" when the state needs no explanation.
// quietTexts are the catalog's "Completed" words of every language (matched anywhere) and
// its uninstall outcomes (matched whole).
std::wstring ExplainState(const std::wstring& state, const std::vector<std::wstring>& completedWords,
                          const std::vector<std::wstring>& uninstallOutcomes);
