#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "charts/chart_kinds.h"
#include "charts/chart_plans.h"
#include "charts/chart_text.h"
#include "charts/order_text.h"
#include "tests/charts/sample_files.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_system.h"

namespace {

std::wstring FromCodePage(const std::string& bytes) {
  const int size = static_cast<int>(bytes.size());
  std::wstring text(MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0), L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, text.data(), static_cast<int>(text.size()));
  return text;
}

std::string ToCodePage(const std::wstring& text) {
  const int size = static_cast<int>(text.size());
  std::string bytes(WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), size, bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr);
  return bytes;
}

// As the terminal's files are read: UTF-16 after an FF FE mark, the ANSI code page otherwise.
std::wstring DecodeText(const std::string& bytes) {
  if (bytes.size() < 2 || bytes.compare(0, 2, "\xFF\xFE") != 0) return FromCodePage(bytes);
  std::wstring text((bytes.size() - 2) / 2, L'\0');
  std::memcpy(text.data(), bytes.data() + 2, text.size() * sizeof(wchar_t));
  return text;
}

std::vector<std::wstring> LinesOf(const std::wstring& text) {
  std::vector<std::wstring> lines;
  for (std::size_t start = 0; start <= text.size();) {
    std::size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

struct RealChart {
  const wchar_t* path;
  const wchar_t* symbol;
  const wchar_t* periodName;
  const wchar_t* eaName;  // empty when the chart carries no EA
};

const RealChart kRealCharts[] = {
    {L"bthek1-Trading_Bot_4/profiles/mine/chart06.chr", L"UK100", L"M1", L"created\\tests_2"},
    {L"bthek1-Trading_Bot_4/profiles/mine/chart07.chr", L"UK100", L"M1", L""},
    {L"bthek1-Trading_Bot_4/profiles/Euro/chart01.CHR", L"EURUSD", L"H1", L""},
    {L"bthek1-Trading_Bot_4/profiles/default/chart01.chr", L"EURUSD", L"H1", L""},
    {L"bthek1-Trading_Bot_4/profiles/British Pound/chart01.CHR", L"GBPUSD", L"H1", L"Moving Average"},
    {L"bthek1-Trading_Bot_4/tester/lasttest.chr", L"EURUSD", L"H1", L""},
    {L"kmugglet-elpheba/c98bf7c/profiles/default/chart01.chr", L"EURUSD", L"M5", L"elphebaClientConnect"},
    {L"kmugglet-elpheba/dc4aecb/profiles/default/chart01.chr", L"EURUSD", L"M1", L"DumpTicks"},
    {L"kmugglet-elpheba/dc4aecb/profiles/default/chart02.chr", L"AUDUSD", L"M5", L"Elpheba-20161030"},
    {L"kmugglet-elpheba/HEAD/profiles/Market Overview/chart01.CHR", L"USDCHF", L"M30", L""},
};

class ChartSamplesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = SamplesFolder();
    if (folder_.empty()) GTEST_SKIP() << "MT4 sample files absent: set PANDRAKE_SHARED_DIR to the shared folder";
  }
  std::string Bytes(std::wstring relative) const {
    for (wchar_t& c : relative) c = c == L'/' ? L'\\' : c;
    const std::string bytes = ReadBytes(folder_ + relative);
    EXPECT_FALSE(bytes.empty()) << "missing sample";
    return bytes;
  }
  std::wstring Text(const std::wstring& relative) const { return DecodeText(Bytes(relative)); }

  std::wstring folder_;
};

TEST_F(ChartSamplesTest, ReadsSymbolPeriodAndInputsOfRealCharts) {
  for (const RealChart& chart : kRealCharts) {
    SCOPED_TRACE(chart.path);
    const std::wstring text = Text(chart.path);
    EXPECT_EQ(ReadChartSymbol(text), chart.symbol);
    EXPECT_EQ(PeriodNameOf(text), chart.periodName);
  }
  const std::wstring inputs = ExtractInputsBlock(Text(kRealCharts[8].path));
  EXPECT_EQ(inputs.substr(0, 10), L"<inputs>\r\n");
  EXPECT_NE(inputs.find(L"\r\nmax_trades=50\r\n</inputs>"), std::wstring::npos);
  EXPECT_EQ(ExtractInputsBlock(Text(kRealCharts[7].path)), L"");
  EXPECT_NE(ExtractInputsBlock(Text(kRealCharts[0].path)).find(L"\nInpMagicNumber=111111\n"), std::wstring::npos);
}

TEST_F(ChartSamplesTest, RealChartsAreCopierFreeAndCleaningLeavesThem) {
  std::vector<NumberedChart> profile;
  for (const RealChart& chart : kRealCharts) {
    const std::wstring text = Text(chart.path);
    EXPECT_FALSE(IsProviderChart(text) || IsReceiverChart(text) || HasInstallerMark(text)) << chart.path;
    EXPECT_EQ(SavedChartNameFor(text), L"") << chart.path;
    profile.push_back({static_cast<int>(profile.size()) + 1, text});
  }
  for (const CleanStep& step : PlanCleaning(profile, L"PelkReceiver")) EXPECT_EQ(step.action, ChartAction::kKeep);
}

TEST_F(ChartSamplesTest, DisablingARealChartRenamesOnlyItsEa) {
  for (const RealChart& chart : kRealCharts) {
    SCOPED_TRACE(chart.path);
    const std::vector<std::wstring> before = LinesOf(Text(chart.path));
    const std::vector<std::wstring> after = LinesOf(DisableEa(Text(chart.path)));
    ASSERT_EQ(before.size(), after.size());
    int changed = 0;
    for (std::size_t i = 0; i < before.size(); ++i) {
      if (before[i] == after[i]) continue;
      ++changed;
      EXPECT_EQ(after[i], L"name=Removed" + before[i].substr(5));
      EXPECT_EQ(before[i].substr(0, 5 + std::wcslen(chart.eaName)), std::wstring(L"name=") + chart.eaName);
    }
    EXPECT_EQ(changed, *chart.eaName ? 1 : 0);
  }
}

TEST_F(ChartSamplesTest, ANewChartCarriesEveryRealInputLine) {
  for (const RealChart& chart : {kRealCharts[0], kRealCharts[6]}) {
    const std::wstring inputs = ExtractInputsBlock(Text(chart.path));
    const std::wstring composed = ComposeEaChart(chart.symbol, L"10080", L"PelkReceiver", inputs);
    EXPECT_EQ(ExtractInputsBlock(composed), inputs) << chart.path;
    EXPECT_EQ(ReadChartSymbol(composed), chart.symbol);
    EXPECT_EQ(PeriodNameOf(composed), L"Weekly");
  }
}

TEST_F(ChartSamplesTest, RealOrderFilesKeepTheirOtherLines) {
  EXPECT_EQ(MoveOrderLineToEnd(Text(L"kmugglet-elpheba/HEAD/profiles/Market Overview/order.wnd"), L"EURUSD", L"M30"),
            L"USDJPY,M30\r\nGBPUSD,M30\r\nUSDCHF,M30\r\nEURUSD,M30\r\n");
  EXPECT_EQ(MoveOrderLineToEnd(Text(L"bthek1-Trading_Bot_4/profiles/Market Overview/order.wnd"), L"EURUSD", L"M30"),
            L"USDJPY,M30\nGBPUSD,M30\nUSDCHF,M30\nEURUSD,M30\r\n");
  const std::wstring order = Text(L"bthek1-Trading_Bot_4/profiles/default/order.wnd");
  EXPECT_EQ(AppendOrderLine(order, L"EURUSD", L"Weekly"), order + L"EURUSD,Weekly\r\n");
}

TEST_F(ChartSamplesTest, AUtf16ChartReadAsAnsiIsNoticedAndLeftAlone) {
  const std::string chart = Bytes(L"_mt5_contrast/Johan1974-MetaTrader5/MQL5/Profiles/Charts/Default/chart01.chr");
  EXPECT_EQ(ReadChartSymbol(DecodeText(chart)), L"EURUSD");
  EXPECT_EQ(ReadChartSymbol(FromCodePage(chart)), L"");
  const std::string order = Bytes(L"_mt5_contrast/Johan1974-MetaTrader5/MQL5/Profiles/Charts/Default/order.wnd");
  const std::wstring misread = FromCodePage(order);
  EXPECT_TRUE(NeedsUtf16Reread(misread));
  EXPECT_EQ(AppendOrderLine(misread, L"EURUSD", L"Weekly"), misread);
}

TEST(ChartEncodingTest, ChineseInputNamesSurviveTheAnsiCodePageOnAChineseSystem) {
  if (TestLocale() != "zh") GTEST_SKIP() << "needs the Chinese ANSI code page";
  const std::wstring saved = L"<chart>\r\n<expert>\r\n<inputs>\r\n喊单账号=1\r\n反向跟单=true\r\n跟单设置=\r\n"
                            L"跟单注释={symbol}\r\n</inputs>\r\n</expert>\r\n</chart>\r\n";
  const std::wstring text = ComposeEaChart(L"XAUUSD", L"10080", L"PelkReceiver", InputsForNewChart(saved, true));
  const std::wstring reread = FromCodePage(ToCodePage(text));
  EXPECT_EQ(reread, text);
  EXPECT_TRUE(IsReceiverChart(reread));
  EXPECT_NE(reread.find(L"\r\n反向跟单=1\r\n跟单设置=\r\n跟单注释=XAUUSD\r\n"), std::wstring::npos);
}

TEST(ChartEncodingTest, OddOrTruncatedTextsGiveTextsNeverACrash) {
  const std::wstring inputs = L"<inputs>\r\n喊单账号=1\r\n</inputs>";
  const std::wstring chart = ComposeEaChart(L"EURUSD", L"10080", L"E", inputs) + std::wstring(L"\0\xD800\xFFFD<", 4);
  for (std::size_t length = 0; length <= chart.size(); ++length) {
    const std::wstring text = chart.substr(0, length);
    const std::wstring block = ExtractInputsBlock(text);
    EXPECT_TRUE(block.empty() || block == inputs) << length;
    EXPECT_LE(ReadChartSymbol(text).size(), 6u);
    PeriodNameOf(text);
    DisableEa(text);
    MoveOrderLineToEnd(AppendOrderLine(text, L"A", L"B"), L"A", L"B");
    PickChartSymbol({text}, text);
    PlanCleaning({{1, text}}, L"E");
  }
}

}  // namespace
