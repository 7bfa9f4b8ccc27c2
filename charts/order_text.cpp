#include "charts/order_text.h"

#include "charts/chart_text.h"
#include "charts/text_ops.h"

using namespace chart_text_ops;

namespace {

// Lines with their own line ends, so that untouched lines are written back as they were.
std::vector<std::wstring> LinesOf(const std::wstring& text) {
  std::vector<std::wstring> lines;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find(L'\n', start);
    end = end == std::wstring::npos ? text.size() : end + 1;
    lines.push_back(text.substr(start, end - start));
    start = end;
  }
  return lines;
}

// Whole lines are compared, so "XEURUSD,Weekly" never counts as "EURUSD,Weekly".
bool IsLine(const std::wstring& line, const std::wstring& symbol, const std::wstring& periodName) {
  return LineFrom(line, 0) == symbol + L"," + periodName;
}

// A text cut after its CR only needs the LF, or that line would end in a stray CR.
std::wstring EndedWithLineBreak(const std::wstring& text) {
  if (text.empty() || text.back() == L'\n') return text;
  return text + (text.back() == L'\r' ? L"\n" : L"\r\n");
}

}  // namespace

std::wstring OrderLine(const std::wstring& symbol, const std::wstring& periodName) {
  return symbol + L"," + periodName + L"\r\n";
}

bool HasOrderLine(const std::wstring& orderText, const std::wstring& symbol, const std::wstring& periodName) {
  for (const std::wstring& line : LinesOf(orderText)) {
    if (IsLine(line, symbol, periodName)) return true;
  }
  return false;
}

bool NeedsUtf16Reread(const std::wstring& orderText) {
  return !Contains(orderText, L",") && orderText.size() > 3;
}

std::wstring AppendOrderLine(const std::wstring& orderText, const std::wstring& symbol,
                             const std::wstring& periodName) {
  if (!FoundAfterStart(orderText, L",")) return orderText;
  return EndedWithLineBreak(orderText) + OrderLine(symbol, periodName);
}

std::wstring MoveOrderLineToEnd(const std::wstring& orderText, const std::wstring& symbol,
                                const std::wstring& periodName) {
  if (!HasOrderLine(orderText, symbol, periodName)) return orderText;
  std::wstring kept;
  for (const std::wstring& line : LinesOf(orderText)) {
    if (!IsLine(line, symbol, periodName)) kept += line;
  }
  return EndedWithLineBreak(kept) + OrderLine(symbol, periodName);
}

std::wstring PickChartSymbol(const std::vector<std::wstring>& chartTexts, const std::wstring& orderText) {
  std::wstring first;
  for (const std::wstring& text : chartTexts) {
    const std::wstring symbol = ReadChartSymbol(text);
    if (symbol.empty()) continue;
    if (first.empty()) first = symbol;
    if (!HasOrderLine(orderText, symbol, kNewChartPeriodName)) return symbol;
  }
  return first.empty() ? kDefaultSymbol : first;
}
