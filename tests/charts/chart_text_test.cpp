#include <gtest/gtest.h>

#include "charts/chart_text.h"

namespace {

std::tm At(int year, int month, int day, int hour, int minute) {
  std::tm time{};
  time.tm_year = year - 1900;
  time.tm_mon = month - 1;
  time.tm_mday = day;
  time.tm_hour = hour;
  time.tm_min = minute;
  return time;
}

const wchar_t kChartHead[] =
    L"<chart>\r\nid=123456782603070905\r\nsymbol=GBPUSD\r\nperiod=10080\r\ngraph=0\r\nscale=2\r\ngrid=1\r\n"
    L"shift=1\r\nwindow_type=3\r\nbackground_color=-1\r\nforeground_color=16777215\r\nbarup_color=-1\r\n"
    L"bardown_color=-1\r\nbullcandle_color=-1\r\nbearcandle_color=-1\r\nchartline_color=-1\r\n"
    L"volumes_color=-1\r\ngrid_color=-1\r\naskline_color=-1\r\nstops_color=-1\r\n<expert>\r\n"
    L"name=PelkReceiver\r\npath=Experts\\PelkReceiver\r\nflags=343\r\n";

TEST(ChartFileNameTest, SingleDigitsKeepTheirLeadingZeroOnly) {
  EXPECT_EQ(ChartFileName(1), L"chart01.chr");
  EXPECT_EQ(ChartFileName(9), L"chart09.chr");
  EXPECT_EQ(ChartFileName(10), L"chart10.chr");
  EXPECT_EQ(ChartFileName(101), L"chart101.chr");
  EXPECT_EQ(ChartFileName(0), L"");
  EXPECT_EQ(ChartFilePath(L"C:\\p\\Default", 2), L"C:\\p\\Default\\chart02.chr");
}

TEST(ComposeEaChartTest, WithoutInputsTheExpertBlockClosesRightAfterTheFlags) {
  const std::wstring text = ComposeEaChart(L"GBPUSD", L"10080", L"PelkReceiver", L"", At(2026, 3, 7, 9, 5));
  EXPECT_EQ(text, std::wstring(kChartHead) + L"</expert>\r\n</chart>");
}

TEST(ComposeEaChartTest, CopiesTheInputsBlockAndFillsItsSymbolPlaceholder) {
  const std::wstring inputs = L"<inputs>\r\n只跟这些货币={symbol}\r\nLots=0.1\r\n</inputs>";
  const std::wstring text = ComposeEaChart(L"GBPUSD", L"10080", L"PelkReceiver", inputs, At(2026, 3, 7, 9, 5));
  EXPECT_EQ(text, std::wstring(kChartHead) +
                      L"<inputs>\r\n只跟这些货币=GBPUSD\r\nLots=0.1\r\n</inputs>\r\n</expert>\r\n</chart>");
}

TEST(ComposeEaChartTest, IdIsEighteenDigitsOfTheLocalTime) {
  EXPECT_EQ(ChartIdAt(At(2009, 12, 31, 23, 59)), L"123456780912312359");
  const std::wstring now = ComposeEaChart(L"EURUSD", L"10080", L"X", L"");
  EXPECT_EQ(now.find(L"\r\nid=12345678"), 7u);
  EXPECT_EQ(now.find(L"\r\nsymbol="), 7u + 2 + 3 + 18);
}

TEST(ExtractInputsBlockTest, TakesTheInputsOfTheFirstExpertBlockOnly) {
  const std::wstring inputs = L"<inputs>\r\nA=1\r\n</inputs>";
  EXPECT_EQ(ExtractInputsBlock(L"<chart>\r\n<expert>\r\nname=E\r\n" + inputs + L"\r\n</expert>\r\n</chart>"),
            inputs);
  EXPECT_EQ(ExtractInputsBlock(L"<chart>\r\n<expert>\r\nname=E\r\n</expert>\r\n" + inputs + L"\r\n</chart>"),
            L"");
  EXPECT_EQ(ExtractInputsBlock(L"<chart>\r\n<expert>\r\n</expert>\r\n<expert>\r\n" + inputs + L"\r\n</expert>"),
            L"");
  EXPECT_EQ(ExtractInputsBlock(L"<chart>\r\n<expert>\r\n<inputs>\r\n</expert>\r\n</inputs>"), L"");
  EXPECT_EQ(ExtractInputsBlock(L"<chart>\r\n<expert>\r\n" + inputs), L"");
  EXPECT_EQ(ExtractInputsBlock(L"<expert>\r\n" + inputs + L"\r\n</expert>"), L"");
}

TEST(ReadChartSymbolTest, ReadsTheSymbolLineWithoutItsLineEnd) {
  EXPECT_EQ(ReadChartSymbol(L"<chart>\r\nsymbol= EURUSD.m \r\nperiod=60\r\n"), L"EURUSD.m");
  EXPECT_EQ(ReadChartSymbol(L"<chart>\nsymbol=UK100\nperiod=1\n"), L"UK100");
  EXPECT_EQ(ReadChartSymbol(L"<chart>\r\ncomment=symbol=X\r\nsymbol=GOLD\r\n"), L"GOLD");
  EXPECT_EQ(ReadChartSymbol(L"<chart>\r\nsymbol=EURUSD"), L"");
  EXPECT_EQ(ReadChartSymbol(L"symbol=EURUSD\r\n"), L"");
}

TEST(PeriodNameOfTest, LongerPeriodsAreNotTakenForTheirPrefixes) {
  EXPECT_EQ(PeriodNameOf(L"<chart>\r\nperiod=15\r\n"), L"M15");
  EXPECT_EQ(PeriodNameOf(L"<chart>\r\nperiod=1440\r\n"), L"Daily");
  EXPECT_EQ(PeriodNameOf(L"<chart>\r\nperiod=10080\r\n"), L"Weekly");
  EXPECT_EQ(PeriodNameOf(L"<chart>\r\nperiod=43200\r\n"), L"Monthly");
  EXPECT_EQ(PeriodNameOf(L"<chart>\r\nperiod=1"), L"M1");
  EXPECT_EQ(PeriodNameOf(L"<chart>\r\nperiod=5\r\nperiod=15\r\n"), L"M15");
  EXPECT_EQ(PeriodNameOf(L"<chart>\r\nperiod=150\r\n"), L"");
  EXPECT_EQ(PeriodNameOf(L"<chart>\r\nkperiod=5\r\n"), L"");
  EXPECT_EQ(PeriodNameOf(L"period=60\r\n"), L"");
}

TEST(PeriodNameOfTest, IndicatorPeriodsDoNotNameTheChart) {
  const std::wstring chart = L"<chart>\r\nsymbol=UK100\r\nperiod=1\r\n<window>\r\n<indicator>\r\nperiod=5\r\n";
  EXPECT_EQ(PeriodNameOf(chart), L"M1");
}

TEST(NormalizeBooleansTest, ReplacesEveryTrueAndFalseValue) {
  EXPECT_EQ(NormalizeBooleans(L"反向跟单=true\r\nB=false\r\nC=true"), L"反向跟单=1\r\nB=0\r\nC=1");
}

TEST(ProfileNameOfTest, TrimsTheLineBreakAndDefaultsWhenEmpty) {
  EXPECT_EQ(ProfileNameOf(L"Euro Trend\r\n"), L"Euro Trend");
  EXPECT_EQ(ProfileNameOf(L" \r\n"), L"Default");
  for (const wchar_t* path : {L"..", L"..\\..\\Windows", L"C:\\x", L"a/b", L"CON", L"com1.txt", L"a\r\nb"}) {
    EXPECT_EQ(ProfileNameOf(path), L"Default") << path;
  }
}

}  // namespace
