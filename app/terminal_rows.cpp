#include "app/terminal_rows.h"

#include <algorithm>

#include "common/winmsg.h"

bool TerminalRows::AnyTicked() const {
  return std::any_of(rows.begin(), rows.end(), [](const TerminalEntry& row) { return row.ticked; });
}

void TerminalRows::TickAll() {
  for (TerminalEntry& row : rows) row.ticked = true;
}

void TerminalRows::InvertTicks() {
  for (TerminalEntry& row : rows) row.ticked = !row.ticked;
}

bool TerminalRows::RemoveTickedOrSelected() {
  if (AnyTicked()) {
    std::erase_if(rows, [](const TerminalEntry& row) { return row.ticked; });
  } else if (const std::optional<int> selected = Selected()) {
    rows.erase(rows.begin() + *selected);
  } else {
    return false;
  }
  selectionMark = -1;
  return true;
}

void TerminalRows::RemoveWhere(const std::function<bool(TerminalEntry&)>& test) {
  std::vector<TerminalEntry> kept;
  int mark = -1;
  for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
    if (test(rows[i])) continue;
    if (i == selectionMark) mark = static_cast<int>(kept.size());
    kept.push_back(std::move(rows[i]));
  }
  rows = std::move(kept);
  selectionMark = mark;
}

std::optional<int> TerminalRows::Selected() const {
  if (selectionMark < 0 || selectionMark >= static_cast<int>(rows.size())) return std::nullopt;
  return selectionMark;
}

std::vector<int> TerminalRows::TickedOrAll() const {
  const bool anyTicked = AnyTicked();
  std::vector<int> indexes;
  for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
    if (rows[i].ticked || !anyTicked) indexes.push_back(i);
  }
  return indexes;
}

std::vector<int> TerminalRows::ForRun() const {
  if (!AnyTicked()) return Selected() ? std::vector<int>{*Selected()} : std::vector<int>{};
  std::vector<int> indexes;
  for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
    if (rows[i].ticked) indexes.push_back(i);
  }
  return indexes;
}

std::vector<int> TerminalRows::TickedOrSelected() const {
  std::vector<int> indexes;
  for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
    if (rows[i].ticked || i == selectionMark) indexes.push_back(i);
  }
  return indexes;
}

std::vector<std::wstring> TerminalRows::Folders(const std::vector<int>& indexes) const {
  std::vector<std::wstring> folders;
  for (int index : indexes) folders.push_back(rows[index].installFolder);
  return folders;
}

std::wstring ExplainState(const std::wstring& state, const std::vector<std::wstring>& completedWords,
                          const std::vector<std::wstring>& uninstallOutcomes) {
  if (state.empty()) return {};
  for (const std::wstring& word : completedWords) {
    if (!word.empty() && state.find(word) != std::wstring::npos) return {};
  }
  for (const std::wstring& outcome : uninstallOutcomes) {
    if (state == outcome) return {};
  }
  std::wstring text = ReplaceAll(state, L"#", L"\n");
  text = ReplaceAll(text, L" - ", L":\n");
  std::erase_if(text, [](wchar_t c) { return c == L'{' || c == L'}'; });
  return text;
}
