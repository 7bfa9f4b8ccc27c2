#pragma once
#include <string>

// The outcome of copying a terminal folder for another account.
struct DuplicateOutcome {
  bool succeeded = false;
  std::wstring target;   // the copy's folder, also after a failure that left it partly filled
  std::wstring message;  // what to show the user
};

// Copies the terminal's programs and the folders a fresh terminal needs under the next
// numbered name, without the saved server settings.
DuplicateOutcome DuplicateTerminal(const std::wstring& sourceFolder);
