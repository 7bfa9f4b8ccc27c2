#pragma once
#include <string>
#include <vector>

// order.wnd lists one window a line as symbol, comma, period name.
std::wstring OrderLine(const std::wstring& symbol, const std::wstring& periodName);
bool HasOrderLine(const std::wstring& orderText, const std::wstring& symbol, const std::wstring& periodName);

// An order text with no comma that is longer than 3 characters may be UTF-16 read as ANSI.
bool NeedsUtf16Reread(const std::wstring& orderText);
// The text with the window's line added at its end; an order text without a comma past its first
// character is not an order list and comes back unchanged.
std::wstring AppendOrderLine(const std::wstring& orderText, const std::wstring& symbol,
                             const std::wstring& periodName);
// Moves every line of the window to the end, as one line; unchanged when it is not listed.
std::wstring MoveOrderLineToEnd(const std::wstring& orderText, const std::wstring& symbol,
                                const std::wstring& periodName);

// The symbol for a new weekly chart: the first chart's symbol that has no weekly window in the order
// text; the first chart's symbol when all have one; "EURUSD" without charts. chartTexts are the
// existing charts in number order.
std::wstring PickChartSymbol(const std::vector<std::wstring>& chartTexts, const std::wstring& orderText);
