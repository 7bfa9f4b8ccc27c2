#include <ctime>

#include "charts/chart_text.h"
#include "charts/text_ops.h"
#include "tests/fuzz/fuzz_text.h"

namespace {

const wchar_t* const kMinutes[] = {L"43200", L"10080", L"1440", L"240", L"60", L"30", L"15", L"5", L"1"};
const wchar_t* const kNames[] = {L"Monthly", L"Weekly", L"Daily", L"H4", L"H1", L"M30", L"M15", L"M5", L"M1"};

// One line of a chart: no line break, no "<" that could open a block, no placeholder.
std::wstring LineText(std::wstring text) {
  std::erase_if(text, [](wchar_t c) { return c == L'\r' || c == L'\n' || c == L'<' || c == L'{'; });
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const auto f = FuzzFields(data + 1, size - 1, 3);
  const std::size_t period = data[0] % 9;
  const std::wstring symbol = LineText(f[0]);
  std::wstring body = f[2];
  for (wchar_t& c : body) c = c == L'<' ? L'[' : c;
  const std::wstring inputs = f[2].empty() ? L"" : L"<inputs>\r\n" + body + L"\r\n</inputs>";
  std::tm time{};
  time.tm_year = data[0];
  const std::wstring eaName = LineText(f[1]);
  const std::wstring chart = ComposeEaChart(symbol, kMinutes[period], eaName, inputs, time);
  // Placeholders in the inputs are filled as in the chart's own lines.
  using chart_text_ops::ReplaceAll;
  const std::wstring filled =
      ReplaceAll(ReplaceAll(ReplaceAll(inputs, L"{symbol}", symbol), L"{period}", kMinutes[period]), L"{eaname}", eaName);

  FUZZ_CHECK(ReadChartSymbol(chart) == chart_text_ops::TrimBlank(symbol));
  FUZZ_CHECK(PeriodNameOf(chart) == kNames[period]);
  FUZZ_CHECK(ExtractInputsBlock(chart) == filled);
  return 0;
}
