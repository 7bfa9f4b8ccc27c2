#pragma once
#include <cstddef>
#include <optional>
#include <string>

#include "common/copy_plan.h"

// What one terminal ended as after a run: data for the list and for a command line's result.
struct RowResult {
  std::wstring outcome;              // the engine's own result: an install's text, an uninstall's code
  std::wstring state;                // the row's State afterwards, in the catalog's words
  std::optional<std::wstring> role;  // the row's Type afterwards; nothing keeps it
  bool succeeded = false;
  bool untick = false;
  bool closed = false;     // it was running and was closed for the run
  bool restarted = false;  // and was started again
};

// Told how a run goes. The window shows it; a command line logs it.
class RunObserver {
 public:
  virtual ~RunObserver() = default;
  virtual void RowStarted(std::size_t /*index*/, const std::wstring& /*state*/) {}
  virtual void RowFinished(std::size_t /*index*/, const RowResult& /*result*/) {}
  // Each second a closing terminal is waited for, before the next close request.
  virtual void WaitingForClose(const std::wstring& /*terminal*/, int /*secondsLeft*/) {}
  virtual void Copying(const CopyProgress& /*progress*/) {}
};
