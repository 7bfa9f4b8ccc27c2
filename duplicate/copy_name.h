#pragma once
#include <functional>
#include <string>

// The numbered folder name for a copy of a terminal folder: "D:\MT4" gives "D:\MT4_C01",
// a copy's copy counts on from its number. "" when every name up to _C999 is taken.
std::wstring NextCopyName(const std::wstring& source, const std::function<bool(const std::wstring&)>& folderExists);
