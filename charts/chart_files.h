#pragma once
#include <optional>
#include <string>
#include <vector>

#include "charts/chart_plans.h"

// The chart files of a profile folder on disk, read and written as the terminal keeps them.
namespace chart_files {

// Charts this large are left alone: no chart the terminal writes comes near it.
inline constexpr double kMaxEditableBytes = 4.0 * 1024 * 1024;

// The file as UTF-16 little-endian, its first character taken for a byte-order mark.
std::wstring ReadUtf16Text(const std::wstring& path);
// A chart or saved chart's text: UTF-16 after FF FE, ANSI otherwise, and read again as UTF-16
// when that finds no "symbol=". Nothing for a missing or oversized file.
std::optional<std::wstring> ReadChartText(const std::wstring& path);
// order.wnd's text, read again as UTF-16 when it looks like UTF-16 read as ANSI.
std::optional<std::wstring> ReadOrderText(const std::wstring& path);

// Replaces the file whole with the text in the ANSI code page without byte-order mark; the old
// file stays as it was when writing fails. An empty text is never written.
bool WriteChartFile(const std::wstring& path, const std::wstring& text);

// Numbers from 1 to last whose chart file exists.
std::vector<int> ExistingChartNumbers(const std::wstring& profileFolder, int last);
// Carries out the renames in order; when one fails the done ones are undone and false returned.
bool ApplyMoves(const std::wstring& profileFolder, const std::vector<ChartMove>& moves);

}  // namespace chart_files
