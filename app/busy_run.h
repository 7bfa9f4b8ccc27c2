#pragma once
#include <windows.h>

#include <string>


// What the main window is busy with; one thing at a time.
enum class Busy { kIdle, kSearching, kRunning, kDuplicating };

struct BusyState {
  Busy now = Busy::kIdle;
  bool stopRequested = false;  // Cancel was clicked during a run or a copy
  // A run or a copy: they hold references into the rows, which nothing may change meanwhile.
  bool Running() const { return now == Busy::kRunning || now == Busy::kDuplicating; }
};

// A run over rows or a copy owns the window's busy state for its lifetime: busy, Exit reads
// Cancel, the status label shows the status text (when there is one). All is undone when it
// goes, and the input queued meanwhile is dropped.
class BusyRun {
 public:
  BusyRun(HWND window, BusyState& state, Busy kind, const std::wstring& status = L"");
  ~BusyRun();
  BusyRun(const BusyRun&) = delete;
  BusyRun& operator=(const BusyRun&) = delete;

 private:
  HWND window_;
  BusyState& state_;
};

// Shows the status label with text in place of the list, or the list again for "".
void ShowStatusInsteadOfList(HWND window, const std::wstring& text);
