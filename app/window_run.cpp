#include "app/window_run.h"

#include <utility>

#include "common/message_ids.h"
#include "common/message_pump.h"
#include "common/winmsg.h"
#include "duplicate/duplicate_terminal.h"
#include "engine/terminal_runs.h"

namespace {

constexpr ULONGLONG kProgressEveryMs = 100;

}  // namespace

WindowRun::WindowRun(HWND window, BusyState& busy, TerminalRows& rows, CTerminalListView& view,
                     std::vector<int> indexes)
    : PromptPolicy(window), window_(window), busy_(busy), rows_(rows), view_(view), indexes_(std::move(indexes)) {}

// Each stop ends one wait.
bool WindowRun::StopRequested() { return std::exchange(busy_.stopRequested, false); }

bool WindowRun::MayStartTerminal(const std::wstring& exePath) {
  started_.push_back({exePath, LocalClockText()});
  return true;
}

void WindowRun::RowStarted(std::size_t index, const std::wstring& state) {
  TerminalEntry& row = rows_.rows[indexes_[index]];
  row.state = state;
  row.unavailable = false;  // the outcome shows from now on, whether the drive is back or not
  view_.ShowRow(rows_, indexes_[index]);
  DispatchPaintMessages();
}

void WindowRun::RowFinished(std::size_t index, const RowResult& result) {
  ShowStatusInsteadOfList(window_, L"");
  ApplyRowResult(result, rows_.rows[indexes_[index]]);
  view_.ShowRow(rows_, indexes_[index]);
}

// Paints the wait and lets clicks reach the Cancel button only.
void WindowRun::WaitingForClose(const std::wstring& terminal, int secondsLeft) {
  std::wstring text = ReplaceAll(g_lang.GetText(msg::kWaitingForClose), L"{0}", terminal);
  ShowStatusInsteadOfList(window_, ReplaceAll(std::move(text), L"{1}", std::to_wstring(secondsLeft)));
  // The start-up update waits before the dialog would show itself: Cancel must be there to click.
  if (!IsWindowVisible(window_)) ShowWindow(window_, SW_SHOW);
  DispatchPaintAndClicksOn(GetDlgItem(window_, IDCANCEL));
}

// Paints the progress and lets clicks reach the Cancel button only, which stops the copy.
void WindowRun::Copying(const CopyProgress& progress) {
  const ULONGLONG now = GetTickCount64();
  if (now - lastProgress_ < kProgressEveryMs) return;
  lastProgress_ = now;
  ShowStatusInsteadOfList(window_, DuplicateProgressText(progress));
  DispatchPaintAndClicksOn(GetDlgItem(window_, IDCANCEL));
}
