#pragma once
#include <string>

// The name a terminal gives its data folder: the upper-case hex MD5 of its install path,
// upper-cased, without a trailing backslash, as UTF-16 LE. "" when no hash can be made.
std::wstring TerminalDataId(const std::wstring& installFolder);
