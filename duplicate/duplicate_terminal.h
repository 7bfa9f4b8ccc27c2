#pragma once
#include <string>

#include "common/copy_plan.h"

// The outcome of copying a terminal folder for another account.
struct DuplicateOutcome {
  bool succeeded = false;
  std::wstring target;   // the copy's folder; after a failure it was removed again
  std::wstring message;  // what to show the user
};

// Copies the terminal's programs and the folders a fresh terminal needs under the next
// numbered name, without the saved server settings; the same set from its per-user data
// folder into one of the copy's own. Room is checked first; a failed or stopped copy is
// removed. The dataRoot overload looks for the per-user data folders there.
DuplicateOutcome DuplicateTerminal(const std::wstring& sourceFolder, const CopyProgressFn& progress = {});
DuplicateOutcome DuplicateTerminal(const std::wstring& sourceFolder, const CopyProgressFn& progress,
                                   const std::wstring& dataRoot);

// "Duplicating: 3 of 10 files, 1.5 of 4.0 MB copied..." in the catalog's language.
std::wstring DuplicateProgressText(const CopyProgress& progress);
