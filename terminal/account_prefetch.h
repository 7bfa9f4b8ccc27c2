#pragma once
#include <string>
#include <unordered_map>
#include <vector>

#include "common/work_ahead.h"

// The journal accounts of the stored terminals, read on threads of their own while the window
// is being made: a long list then opens without waiting for every terminal's logs in turn.
class AccountPrefetch {
 public:
  using Accounts = std::unordered_map<std::wstring, std::wstring>;

  // Reads, for each install folder that is there now, what ReadAccountFromLogs gives with the
  // data folders of this root.
  void Start(std::vector<std::wstring> installFolders, std::wstring dataRoot);
  // Waits for the reads and hands them over by install folder; later calls give none, since
  // the journals may have changed since.
  Accounts Take() { return accounts_.Take().value_or(Accounts()); }

 private:
  WorkAhead<Accounts> accounts_;
};
