#pragma once
#include <string>
#include <vector>

// Path and version text rules; no file system access.
// The folder with a trailing backslash; "" stays "".
std::wstring WithTrailingBackslash(std::wstring path);
std::wstring ParentFolderOf(const std::wstring& path);
// The drive root "C:\" or the share root "\\server\share\" a path lies on; "" for other paths.
std::wstring PathRoot(const std::wstring& path);
std::wstring FileNameOf(const std::wstring& path, bool withExtension);
std::wstring FileExtensionOf(const std::wstring& path, bool withDot);
std::wstring NormalizePath(const std::wstring& path);
// The system's lower-case folding, the one rule for every path comparison and row key.
std::wstring ToLower(std::wstring text);
std::wstring Trim(const std::wstring& text, const wchar_t* characters = L" \t");
// The non-empty pieces of a list between the separators.
std::vector<std::wstring> SplitAt(const std::wstring& list, wchar_t separator);
// Splits a mask list at ";", "," and the full-width comma; an empty list is "*".
std::vector<std::wstring> SplitMasks(const std::wstring& masks);
// Case-insensitive wildcard match of a long file name ("*" and "?").
bool MatchesMask(const std::wstring& name, const std::wstring& mask);
int CompareVersionText(const std::wstring& a, const std::wstring& b);
// The FileVersion value as GetFileVersionText returns it.
std::wstring CleanFileVersion(const std::wstring& fileVersion);
// A raw version-resource value without "?" and surrounding blanks; "(null)" is empty.
std::wstring CleanVersionValue(const std::wstring& value);
