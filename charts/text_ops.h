#pragma once
#include <cstddef>
#include <string>

// Small text helpers shared by the chart text functions; no file or OS access.
namespace chart_text_ops {

// Replaces every occurrence of `from`, scanning on after each inserted text.
std::wstring ReplaceAll(std::wstring text, const std::wstring& from, const std::wstring& to);
// Trims spaces, tabs, CR and LF from both ends.
std::wstring TrimBlank(const std::wstring& text);
// True when `part` occurs in `text` at a position other than the first character.
bool FoundAfterStart(const std::wstring& text, const std::wstring& part);
bool Contains(const std::wstring& text, const std::wstring& part);
// Position of the first line (not the first line of the text) that starts with `key`, or npos.
std::size_t FindLineKey(const std::wstring& text, const std::wstring& key, std::size_t from = 0);
// The rest of the line from `pos`, without its CR LF.
std::wstring LineFrom(const std::wstring& text, std::size_t pos);

}  // namespace chart_text_ops
