#include <gtest/gtest.h>
#include <windows.h>

#include "charts/chart_files.h"
#include "charts/chart_text.h"
#include "charts/first_chart.h"
#include "charts/profile_cleaning.h"
#include "common/file_ctrl.h"
#include "common/unique_handle.h"
#include "tests/charts/profile_test_support.h"
#include "tests/support/test_system.h"

using namespace chart_files;

namespace {

TEST(ChartFileTest, AUtf16ChartThatIsEditedComesBackAnsiWithoutMark) {
  ProfileFixture fixture;
  const std::wstring chart = UserChart(L"EURUSD", L"60", ExpertBlock(L"_Velmar Signal Provider", kProviderInputs));
  WriteBytes(ChartFilePath(fixture.Profile(), 1), Utf16(chart, true));
  CleanProfileCharts(fixture.Profile(), L"PelkReceiver");
  const std::string bytes = fixture.ChartBytes(1);
  EXPECT_EQ(bytes.substr(0, 9), "<chart>\r\n");
  EXPECT_NE(bytes.find("\r\nname=Removed_Velmar Signal Provider\r\n"), std::string::npos);
  EXPECT_EQ(fixture.Bytes(L"chartm.vrk"), Utf16(chart, true));
}

TEST(ChartFileTest, AUtf16ChartWithoutMarkIsReadAgainForItsSymbol) {
  ProfileFixture fixture;
  WriteBytes(ChartFilePath(fixture.Profile(), 1), Utf16(UserChart(L"GBPUSD", L"60"), false));
  EXPECT_EQ(PickChartSymbol(fixture.Profile()), L"GBPUSD");
  WriteBytes(fixture.Profile() + L"\\order.wnd", Utf16(L"GBPUSD,H1\r\n", true));
  AppendOrderLine(fixture.Profile(), L"GBPUSD", L"Weekly");
  EXPECT_EQ(fixture.Bytes(L"order.wnd"), "GBPUSD,H1\r\nGBPUSD,Weekly\r\n");
}

TEST(ChartFileTest, AFailedWriteLeavesTheOldChartWhole) {
  ProfileFixture fixture;
  const std::wstring path = ChartFilePath(fixture.Profile(), 1);
  fixture.PutChart(1, UserChart(L"EURUSD", L"60"));
  const std::string before = fixture.ChartBytes(1);
  {
    UniqueHandle held(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    EXPECT_FALSE(WriteChartFile(path, L"<chart>\r\n</chart>"));
  }
  EXPECT_FALSE(WriteChartFile(path, L""));
  EXPECT_EQ(fixture.ChartBytes(1), before);
  std::vector<std::wstring> files;
  g_files.FindFiles(fixture.Profile(), files, false);
  EXPECT_EQ(files.size(), 1u);
}

TEST(ChartFileTest, UnmappedCharactersNeverCutTheChartShort) {
  ProfileFixture fixture;
  const std::wstring path = ChartFilePath(fixture.Profile(), 1);
  ASSERT_TRUE(WriteChartFile(path, L"<chart>\r\nsymbol=\x0E01\xD83D\xDE00\r\nperiod=60\r\n</chart>"));
  const std::string bytes = fixture.ChartBytes(1);
  EXPECT_EQ(bytes.substr(bytes.size() - 21), "\r\nperiod=60\r\n</chart>");
}

TEST(ChartFileTest, AnOversizedChartIsNeverEdited) {
  ProfileFixture fixture;
  std::wstring chart = UserChart(L"EURUSD", L"60", ExpertBlock(L"X", kProviderInputs));
  chart += std::wstring(static_cast<std::size_t>(kMaxEditableBytes), L' ');
  fixture.PutChart(1, chart);
  const std::size_t size = fixture.ChartBytes(1).size();
  CleanProfileCharts(fixture.Profile(), L"PelkProvider");
  EXPECT_EQ(fixture.ChartBytes(1).size(), size);
  EXPECT_EQ(fixture.Bytes(L"chartm.vrk"), "");
}

TEST(ChartFileTest, ChineseInputNamesComeBackIntactOnAChineseSystem) {
  if (TestLocale() != "zh") GTEST_SKIP() << "needs the Chinese ANSI code page";
  ProfileFixture fixture;
  const std::wstring inputs = L"<inputs>\r\n喊单账号=1001\r\n反向跟单=true\r\n跟单设置=1\r\n跟单注释=备注\r\n</inputs>";
  const std::wstring chart = UserChart(L"XAUUSD", L"60", ExpertBlock(L"旧跟单", inputs));
  fixture.PutChart(1, chart);
  CleanProfileCharts(fixture.Profile(), L"");
  EXPECT_EQ(fixture.Chart(1), UserChart(L"XAUUSD", L"60", ExpertBlock(L"Removed旧跟单", inputs)));
  EXPECT_EQ(fixture.Bytes(L"charts.vrk"), Ansi(chart));
  DeleteFileW(ChartFilePath(fixture.Profile(), 1).c_str());
  EnsureEaOnFirstChart(2, fixture.Terminal(), L"跟单系统", L"");
  const std::wstring placed = fixture.Chart(1);
  EXPECT_NE(placed.find(L"\r\nname=跟单系统\r\n"), std::wstring::npos);
  EXPECT_NE(placed.find(L"\r\n喊单账号=1001\r\n反向跟单=true\r\n跟单设置=1\r\n跟单注释=备注\r\n"), std::wstring::npos);
}

TEST(ProfileCleaningTest, TheOnlyInstallerChartGoesOnlyWhenAnEaIsPlaced) {
  ProfileFixture fixture;
  fixture.PutChart(1, ComposeEaChart(L"EURUSD", L"10080", L"OldEa", L""));
  CleanProfileCharts(fixture.Profile(), L"");
  EXPECT_EQ(fixture.Numbers(), std::vector<int>{1});
  CleanProfileCharts(fixture.Profile(), L"PelkReceiver");
  EXPECT_TRUE(fixture.Numbers().empty());
}

TEST(ProfileCleaningTest, GapsInChartNumbersAreVisited) {
  ProfileFixture fixture;
  fixture.PutChart(1, UserChart(L"EURUSD", L"60", ExpertBlock(L"A", kReceiverInputs)));
  fixture.PutChart(3, UserChart(L"GBPUSD", L"60", ExpertBlock(L"B", kProviderInputs)));
  fixture.PutChart(7, ComposeEaChart(L"EURUSD", L"10080", L"Old", L""));
  fixture.PutChart(9, UserChart(L"USDJPY", L"60", ExpertBlock(L"Mine", L"<inputs>\r\nLots=1\r\n</inputs>")));
  const std::string provider = fixture.ChartBytes(3);
  const std::string user = fixture.ChartBytes(9);
  CleanProfileCharts(fixture.Profile(), L"PelkProvider");
  EXPECT_EQ(fixture.Numbers(), (std::vector<int>{1, 3, 9}));
  EXPECT_NE(fixture.Chart(1).find(L"\r\nname=RemovedA\r\n"), std::wstring::npos);
  EXPECT_NE(fixture.Chart(3).find(L"\r\nname=RemovedB\r\n"), std::wstring::npos);
  EXPECT_EQ(fixture.ChartBytes(9), user);
  EXPECT_EQ(fixture.Bytes(L"chartm.vrk"), provider);
  EXPECT_NE(fixture.Bytes(L"charts.vrk").find("name=A\r\n"), std::string::npos);
}

}  // namespace
