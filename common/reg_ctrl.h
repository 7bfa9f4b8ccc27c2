#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "common/unique_handle.h"

struct RegString {
  bool found = false;
  std::wstring value;
};

// Registry reads; failures are never shown, they read as not found.
class CRegCtrl {
 public:
  virtual ~CRegCtrl() = default;

  RegString ReadString(HKEY root, const std::wstring& subKey, const std::wstring& valueName) const;
  // Appends the names of every value of an opened key in index order; the key is closed after.
  bool ListValueNames(UniqueKey key, std::vector<std::wstring>& outList) const;
};
