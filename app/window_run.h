#pragma once
#include <windows.h>

#include <vector>

#include "app/busy_run.h"
#include "app/copier_column.h"
#include "app/terminal_list_view.h"
#include "common/run_policy.h"
#include "engine/run_observer.h"

// The window's side of a run: its questions go to the user over the window, each row's
// progress and result into the list, each close wait and copy step onto the status label,
// where Cancel stops it.
class WindowRun : public PromptPolicy, public RunObserver {
 public:
  // indexes are the list rows of the run's terminals, in the run's order.
  WindowRun(HWND window, BusyState& busy, TerminalRows& rows, CTerminalListView& view, std::vector<int> indexes);

  bool StopRequested() override;
  bool MayStartTerminal(const std::wstring& exePath) override;
  // The terminals the run started again, whose EA the Copier column then waits for.
  const std::vector<StartedTerminal>& Started() const { return started_; }
  void RowStarted(std::size_t index, const std::wstring& state) override;
  void RowFinished(std::size_t index, const RowResult& result) override;
  void WaitingForClose(const std::wstring& terminal, int secondsLeft) override;
  void Copying(const CopyProgress& progress) override;

 private:
  HWND window_;
  BusyState& busy_;
  TerminalRows& rows_;
  CTerminalListView& view_;
  std::vector<int> indexes_;
  ULONGLONG lastProgress_ = 0;
  std::vector<StartedTerminal> started_;
};
