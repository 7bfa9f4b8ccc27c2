#include "charts/order_text.h"
#include "charts/text_ops.h"
#include "tests/fuzz/fuzz_text.h"

namespace {

std::vector<std::wstring> Lines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(L'\n', start);
    end = end == std::wstring::npos ? text.size() : end + 1;
    lines.push_back(chart_text_ops::LineFrom(text.substr(start, end - start), 0));
    start = end;
  }
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto f = FuzzFields(data, size, 4);
  std::wstring symbol = f[1], period = f[2];
  std::erase_if(symbol, [](wchar_t c) { return c == L'\r' || c == L'\n'; });
  std::erase_if(period, [](wchar_t c) { return c == L'\r' || c == L'\n'; });
  const std::wstring& order = f[0];
  const std::wstring window = symbol + L"," + period;
  const std::vector<std::wstring> before = Lines(order);

  // The window's line goes to the end; every other line stays, in its order.
  const std::wstring moved = MoveOrderLineToEnd(order, symbol, period);
  if (HasOrderLine(order, symbol, period)) {
    std::vector<std::wstring> others;
    for (const std::wstring& line : before) {
      if (line != window) others.push_back(line);
    }
    others.push_back(window);
    FUZZ_CHECK(Lines(moved) == others);
  } else {
    FUZZ_CHECK(moved == order);
  }

  const std::wstring appended = AppendOrderLine(order, symbol, period);
  if (appended != order) {
    std::vector<std::wstring> expected = before;
    expected.push_back(window);
    FUZZ_CHECK(Lines(appended) == expected);
  }
  NeedsUtf16Reread(order);
  PickChartSymbol({f[3], f[0]}, order);
  return 0;
}
