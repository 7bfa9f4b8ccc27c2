#include "charts/chart_text.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "charts/text_ops.h"

using namespace chart_text_ops;

namespace {

struct PeriodRow {
  const wchar_t* minutes;
  const wchar_t* name;
};

// Longer values first, so that a chart holding several period lines is named as before.
constexpr PeriodRow kPeriodTable[] = {
    {L"43200", L"Monthly"}, {L"10080", L"Weekly"}, {L"1440", L"Daily"}, {L"240", L"H4"}, {L"60", L"H1"},
    {L"30", L"M30"},        {L"15", L"M15"},       {L"5", L"M5"},       {L"1", L"M1"},
};

std::wstring TwoDigits(int value) {
  value = (value % 100 + 100) % 100;
  return {static_cast<wchar_t>(L'0' + value / 10), static_cast<wchar_t>(L'0' + value % 10)};
}

// The chart's own keys: the lines before its first window, indicator or expert block.
std::wstring ChartHeader(const std::wstring& text) {
  const std::size_t block = FindLineKey(text, L"<");
  return block == std::wstring::npos ? text : text.substr(0, block);
}

std::vector<std::wstring> PeriodValues(const std::wstring& text) {
  const std::wstring key = L"period=";
  std::vector<std::wstring> values;
  for (std::size_t pos = FindLineKey(text, key); pos != std::wstring::npos; pos = FindLineKey(text, key, pos)) {
    values.push_back(TrimBlank(LineFrom(text, pos + key.size())));
  }
  return values;
}

bool IsDeviceName(const std::wstring& name) {
  std::wstring base = name.substr(0, name.find(L'.'));
  while (!base.empty() && base.back() == L' ') base.pop_back();
  for (wchar_t& c : base) c = c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
  if (base == L"CON" || base == L"PRN" || base == L"AUX" || base == L"NUL") return true;
  return base.size() == 4 && (base.starts_with(L"COM") || base.starts_with(L"LPT")) && base[3] >= L'1' &&
         base[3] <= L'9';
}

// The name is read from a file anyone can edit: a path in it must not lead the chart writes out
// of the profiles folder.
bool IsOneFolderName(const std::wstring& name) {
  if (name.empty() || name.find_first_not_of(L'.') == std::wstring::npos || IsDeviceName(name)) return false;
  constexpr std::wstring_view kNotInNames = L"\\/:*?\"<>|";
  return std::none_of(name.begin(), name.end(),
                      [&](wchar_t c) { return c < 0x20 || kNotInNames.find(c) != std::wstring_view::npos; });
}

}  // namespace

std::wstring ChartFileName(int number) {
  if (number < 1) return L"";
  return (number < 10 ? L"chart0" : L"chart") + std::to_wstring(number) + L".chr";
}

std::wstring ChartFilePath(const std::wstring& profileFolder, int number) {
  const bool separated = !profileFolder.empty() && profileFolder.back() == L'\\';
  return profileFolder + (separated ? L"" : L"\\") + ChartFileName(number);
}

std::wstring ChartIdAt(const std::tm& localTime) {
  return L"12345678" + TwoDigits(localTime.tm_year + 1900) + TwoDigits(localTime.tm_mon + 1) +
         TwoDigits(localTime.tm_mday) + TwoDigits(localTime.tm_hour) + TwoDigits(localTime.tm_min);
}

std::wstring ComposeEaChart(const std::wstring& symbol, const std::wstring& period, const std::wstring& eaName,
                            const std::wstring& inputsBlock, const std::tm& localTime) {
  static const wchar_t* const kHead[] = {
      L"symbol={symbol}",        L"period={period}",      L"graph=0",
      L"scale=2",                L"grid=1",               L"shift=1",
      L"window_type=3",          L"background_color=-1",  L"foreground_color=16777215",
      L"barup_color=-1",         L"bardown_color=-1",     L"bullcandle_color=-1",
      L"bearcandle_color=-1",    L"chartline_color=-1",   L"volumes_color=-1",
      L"grid_color=-1",          L"askline_color=-1",     L"stops_color=-1",
      L"<expert>",               L"name={eaname}",        L"path=Experts\\{eaname}",
      L"flags=343",
  };
  std::wstring text = L"<chart>\r\nid=" + ChartIdAt(localTime) + L"\r\n";
  for (const wchar_t* line : kHead) text += std::wstring(line) + L"\r\n";
  if (!inputsBlock.empty()) text += inputsBlock + L"\r\n";
  text += L"</expert>\r\n</chart>";
  text = ReplaceAll(std::move(text), L"{symbol}", symbol);
  text = ReplaceAll(std::move(text), L"{period}", period);
  return ReplaceAll(std::move(text), L"{eaname}", eaName);
}

std::wstring ComposeEaChart(const std::wstring& symbol, const std::wstring& period, const std::wstring& eaName,
                            const std::wstring& inputsBlock) {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  return ComposeEaChart(symbol, period, eaName, inputsBlock, local ? *local : std::tm{});
}

std::wstring ExtractInputsBlock(const std::wstring& chartText) {
  const std::wstring open = L"<expert>", close = L"</expert>";
  const std::size_t start = chartText.find(open);
  if (start == std::wstring::npos || start == 0) return L"";
  const std::size_t end = chartText.find(close, start + open.size());
  if (end == std::wstring::npos) return L"";
  const std::wstring expert = chartText.substr(start, end - start);
  const std::size_t inputs = expert.find(L"<inputs>");
  if (inputs == std::wstring::npos) return L"";
  const std::wstring inputsClose = L"</inputs>";
  const std::size_t inputsEnd = expert.find(inputsClose, inputs);
  if (inputsEnd == std::wstring::npos) return L"";
  return expert.substr(inputs, inputsEnd + inputsClose.size() - inputs);
}

std::wstring ReadChartSymbol(const std::wstring& chartText) {
  const std::wstring key = L"symbol=";
  const std::size_t pos = FindLineKey(chartText, key);
  if (pos == std::wstring::npos) return L"";
  const std::size_t lineEnd = chartText.find(L'\n', pos);
  // A symbol line without its line end may be cut short; callers then fall back to a default.
  if (lineEnd == std::wstring::npos) return L"";
  std::wstring symbol = chartText.substr(pos + key.size(), lineEnd - pos - key.size());
  std::erase(symbol, L'\r');
  return TrimBlank(symbol);
}

std::wstring PeriodNameOf(const std::wstring& chartText) {
  const std::vector<std::wstring> values = PeriodValues(ChartHeader(chartText));
  for (const PeriodRow& row : kPeriodTable) {
    if (std::find(values.begin(), values.end(), row.minutes) != values.end()) return row.name;
  }
  return L"";
}

std::wstring NormalizeBooleans(const std::wstring& text) {
  return ReplaceAll(ReplaceAll(text, L"=true", L"=1"), L"=false", L"=0");
}

std::wstring ProfileNameOf(const std::wstring& lastProfileText) {
  const std::wstring name = TrimBlank(lastProfileText);
  return IsOneFolderName(name) ? name : L"Default";
}
