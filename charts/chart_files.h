#pragma once
#include <optional>
#include <string>
#include <vector>

#include "charts/chart_plans.h"

// The chart files of a profile folder on disk, read and written as the terminal keeps them.
namespace chart_files {

// Charts this large are left alone: no chart the terminal writes comes near it.
inline constexpr double kMaxEditableBytes = 4.0 * 1024 * 1024;

// A chart or saved chart's text: UTF-16 after FF FE, ANSI otherwise, and read again as UTF-16
// when that finds no "symbol=". Nothing for a missing, oversized or unreadable file.
std::optional<std::wstring> ReadChartText(const std::wstring& path);
// order.wnd's text, read again as UTF-16 when it looks like UTF-16 read as ANSI.
std::optional<std::wstring> ReadOrderText(const std::wstring& path);

// Replaces the file whole, UTF-16 when it was UTF-16 or the text does not fit the ANSI code page;
// the old file stays as it was when writing fails. An empty text is never written.
bool WriteChartFile(const std::wstring& path, const std::wstring& text);

// Numbers from 1 to last whose chart file exists.
std::vector<int> ExistingChartNumbers(const std::wstring& profileFolder, int last);
// Carries out the renames in order; when one fails the done ones are undone and the name of the
// chart that would not move comes back. Empty when every rename was done.
std::wstring ApplyMoves(const std::wstring& profileFolder, const std::vector<ChartMove>& moves);
// Takes back renames that were all done, last first.
void UndoMoves(const std::wstring& profileFolder, const std::vector<ChartMove>& moves);

}  // namespace chart_files
