#include <gtest/gtest.h>
#include <windows.h>

#include "charts/chart_files.h"
#include "charts/chart_text.h"
#include "charts/first_chart.h"
#include "common/file_ctrl.h"
#include "common/message_ids.h"
#include "common/path_text.h"
#include "common/winmsg.h"
#include "tests/charts/profile_test_support.h"
#include "tests/charts/sample_files.h"

using namespace chart_files;

namespace {

constexpr wchar_t kEa[] = L"_Velmar Signal Provider";

TEST(FirstChartTest, ExistingChartsMoveUpBehindTheNewEaChart) {
  ProfileFixture fixture;
  std::vector<std::string> before;
  for (int n = 1; n <= 3; ++n) {
    fixture.PutChart(n, UserChart(n == 2 ? L"GBPUSD" : L"EURUSD", L"60"));
    before.push_back(fixture.ChartBytes(n));
  }
  fixture.PutFile(L"order.wnd", L"EURUSD,H1\r\nEURUSD,Weekly\r\n");
  EnsureEaOnFirstChart(1, fixture.Terminal(), kEa, L"");
  EXPECT_EQ(fixture.Numbers(), (std::vector<int>{1, 2, 3, 4}));
  for (int n = 1; n <= 3; ++n) EXPECT_EQ(fixture.ChartBytes(n + 1), before[n - 1]) << n;
  const std::wstring chart = fixture.Chart(1);
  EXPECT_EQ(ReadChartSymbol(chart), L"GBPUSD");
  EXPECT_NE(chart.find(L"\r\nname=_Velmar Signal Provider\r\n"), std::wstring::npos);
  EXPECT_EQ(fixture.Bytes(L"order.wnd"), "EURUSD,H1\r\nEURUSD,Weekly\r\nGBPUSD,Weekly\r\n");
}

TEST(FirstChartTest, WithoutChart01NothingIsShifted) {
  ProfileFixture fixture;
  fixture.PutChart(2, UserChart(L"AUDUSD", L"60"));
  const std::string chart02 = fixture.ChartBytes(2);
  EnsureEaOnFirstChart(2, fixture.Terminal(), L"PelkReceiver", L"");
  EXPECT_EQ(fixture.Numbers(), (std::vector<int>{1, 2}));
  EXPECT_EQ(fixture.ChartBytes(2), chart02);
  EXPECT_EQ(ReadChartSymbol(fixture.Chart(1)), L"AUDUSD");
}

TEST(FirstChartTest, AnEaChartFurtherBackIsSwappedWithChart01) {
  ProfileFixture fixture;
  for (int n = 1; n <= 4; ++n) fixture.PutChart(n, UserChart(L"EURUSD", L"60"));
  fixture.PutChart(5, UserChart(L"USDJPY", L"240", ExpertBlock(kEa)));
  fixture.PutFile(L"order.wnd", L"EURUSD,H1\r\nUSDJPY,H4\r\nGBPUSD,H1\r\n");
  const std::string chart01 = fixture.ChartBytes(1), chart05 = fixture.ChartBytes(5);
  EnsureEaOnFirstChart(1, fixture.Terminal(), kEa, L"");
  EXPECT_EQ(fixture.Numbers(), (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(fixture.ChartBytes(1), chart05);
  EXPECT_EQ(fixture.ChartBytes(5), chart01);
  EXPECT_FALSE(FileExists(fixture.Profile() + L"\\chart0001.chr"));
  EXPECT_EQ(fixture.Bytes(L"order.wnd"), "EURUSD,H1\r\nGBPUSD,H1\r\nUSDJPY,H4\r\n");
}

TEST(FirstChartTest, AGapHidesAnEaChartBehindIt) {
  ProfileFixture fixture;
  for (int n : {1, 2, 4}) fixture.PutChart(n, UserChart(L"EURUSD", L"60"));
  fixture.PutChart(5, UserChart(L"USDJPY", L"240", ExpertBlock(kEa)));
  const std::string chart05 = fixture.ChartBytes(5);
  EnsureEaOnFirstChart(1, fixture.Terminal(), kEa, L"");
  EXPECT_EQ(fixture.Numbers(), (std::vector<int>{1, 2, 3, 5, 6}));
  EXPECT_EQ(fixture.ChartBytes(6), chart05);
  EXPECT_NE(fixture.Chart(1).find(L"barup_color=-1"), std::wstring::npos);
}

TEST(FirstChartTest, SavedProviderInputsGoOnlyIntoAProviderChart) {
  for (int role : {1, 2}) {
    ProfileFixture fixture;
    fixture.PutFile(L"chartm.vrk", UserChart(L"EURUSD", L"60", ExpertBlock(L"Old", kProviderInputs)));
    EnsureEaOnFirstChart(role, fixture.Terminal(), kEa, L"");
    EXPECT_EQ(ExtractInputsBlock(fixture.Chart(1)), role == 1 ? kProviderInputs : L"") << role;
  }
}

TEST(FirstChartTest, RunningTwiceCreatesNoSecondChart) {
  ProfileFixture fixture;
  fixture.PutChart(1, UserChart(L"EURUSD", L"60"));
  fixture.PutFile(L"order.wnd", L"EURUSD,H1\r\n");
  EnsureEaOnFirstChart(1, fixture.Terminal(), kEa, L"");
  const std::string chart01 = fixture.ChartBytes(1);
  const std::string order = fixture.Bytes(L"order.wnd");
  EnsureEaOnFirstChart(1, fixture.Terminal(), kEa, L"");
  EXPECT_EQ(fixture.Numbers(), (std::vector<int>{1, 2}));
  EXPECT_EQ(fixture.ChartBytes(1), chart01);
  EXPECT_EQ(fixture.Bytes(L"order.wnd"), order);
}

TEST(FirstChartTest, TheDataFolderProfileGetsTheEaToo) {
  ProfileFixture install, data;
  EnsureEaOnFirstChart(2, install.Terminal(), L"PelkReceiver", data.Terminal() + L"MQL4\\");
  EXPECT_EQ(install.Numbers(), std::vector<int>{1});
  EXPECT_EQ(data.Numbers(), std::vector<int>{1});
  EnsureEaOnFirstChart(0, install.Terminal(), L"Other", data.Terminal() + L"MQL4\\");
  EXPECT_EQ(install.Chart(1).find(L"Other"), std::wstring::npos);
}

TEST(ProfileFolderTest, LastProfileWithALineBreakAndTheChartsLayout) {
  ProfileFixture fixture;
  const std::wstring profiles = fixture.Terminal() + L"profiles\\";
  WriteBytes(profiles + L"lastprofile.ini", "Mine\r\n");
  g_files.CreateFolderPath(profiles + L"Charts\\Mine");
  EXPECT_EQ(FindProfileFolder(fixture.Terminal()), profiles + L"Charts\\Mine");
  g_files.CreateFolderPath(profiles + L"Mine");
  EXPECT_EQ(FindProfileFolder(fixture.Terminal() + L"MQL4\\"), profiles + L"Mine");
  EXPECT_TRUE(fixture.Messages().empty());
}

TEST(ProfileFolderTest, MissingFoldersAreToldAndNothingIsWritten) {
  ProfileFixture fixture;
  const std::wstring notice = g_lang.GetText(msg::kInstallReceiver);
  const std::wstring nowhere = fixture.Terminal() + L"empty\\sub\\";
  g_files.CreateFolderPath(nowhere);
  PlaceEaChart(1, nowhere, kEa);
  EXPECT_EQ(fixture.Messages(), (std::vector<std::wstring>{notice + L"#Profile", notice + L"#Profile#2"}));
  WriteBytes(fixture.Terminal() + L"profiles\\lastprofile.ini", "Gone");
  PlaceEaChart(1, fixture.Terminal(), kEa);
  EXPECT_EQ(fixture.Messages().back(), notice + L"#Profile#2");
  EXPECT_TRUE(fixture.Numbers().empty());
}

// Every file of a real profile keeps its bytes, moved one number up when chart01 was taken.
TEST(FirstChartSamplesTest, RealProfilesKeepEveryUserLine) {
  const std::wstring samples = SamplesFolder();
  if (samples.empty()) GTEST_SKIP() << "MT4 sample files absent: set PANDRAKE_SHARED_DIR to the shared folder";
  for (const wchar_t* source : {L"bthek1-Trading_Bot_4\\profiles\\default", L"bthek1-Trading_Bot_4\\profiles\\mine",
                                L"kmugglet-elpheba\\dc4aecb\\profiles\\default"}) {
    SCOPED_TRACE(source);
    ProfileFixture fixture;
    std::vector<std::wstring> files;
    g_files.FindFiles(samples + source, files, false);
    for (const std::wstring& file : files) g_files.CopyFileTo(file, fixture.Profile() + L"\\" + FileNameOf(file, true), true);
    const std::vector<int> numbers = fixture.Numbers();
    ASSERT_FALSE(numbers.empty());
    const int shift = numbers.front() == 1 ? 1 : 0;
    std::vector<std::string> before;
    for (int n : numbers) before.push_back(fixture.ChartBytes(n));
    const std::string order = fixture.Bytes(L"order.wnd");
    EnsureEaOnFirstChart(2, fixture.Terminal(), L"PelkReceiver", L"");
    for (std::size_t i = 0; i < numbers.size(); ++i) EXPECT_EQ(fixture.ChartBytes(numbers[i] + shift), before[i]);
    EXPECT_NE(fixture.Chart(1).find(L"\r\nname=PelkReceiver\r\n"), std::wstring::npos);
    EXPECT_EQ(fixture.Bytes(L"order.wnd").substr(0, order.size()), order);
  }
}

}  // namespace
