#pragma once
#include <string>
#include <vector>

// What putting a terminal back as its newest record found it did.
struct RestoreResult {
  bool found = false;                // there was a record to restore
  std::vector<std::wstring> kept;    // files changed since the run, kept: "file" or "file -> record's copy"
  std::vector<std::wstring> failed;  // files that could not be put back
};

// Puts every file the terminal's newest run changed back as it was before that run, the newest
// change first; the restore is itself recorded. A file whose content is no longer what the run
// left is kept, with the record's copy beside it under "<name>.previous".
RestoreResult RestoreNewestRecord(const std::wstring& terminalFolder);
