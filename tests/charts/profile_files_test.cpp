#include <gtest/gtest.h>
#include <windows.h>

#include "charts/chart_files.h"
#include "charts/chart_text.h"
#include "charts/first_chart.h"
#include "charts/profile_cleaning.h"
#include "common/file_ctrl.h"
#include "common/message_ids.h"
#include "common/path_text.h"
#include "common/unique_handle.h"
#include "common/winmsg.h"
#include "tests/charts/sample_files.h"
#include "tests/support/scripted_seams.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_system.h"

using namespace chart_files;

namespace {

constexpr wchar_t kEa[] = L"_Velmar Signal Provider";
const std::wstring kProviderInputs =
    L"<inputs>\r\nSignalOptions=1\r\nSendTheseCurrencies=\r\nSendPendingOrder=1\r\nSendCloseSignal=1\r\n</inputs>";
const std::wstring kReceiverInputs =
    L"<inputs>\r\nSignalAccounts=1001\r\nReverse=0\r\nCopyOptions=1\r\nSlaveOrderComment=\r\n</inputs>";

std::wstring Expert(const std::wstring& eaName, const std::wstring& inputs = L"") {
  return L"<expert>\r\nname=" + eaName + L"\r\nflags=279\r\n" + (inputs.empty() ? L"" : inputs + L"\r\n") +
         L"</expert>\r\n";
}

std::wstring UserChart(const std::wstring& symbol, const std::wstring& period = L"60",
                       const std::wstring& expert = L"") {
  return L"<chart>\r\nid=1\r\nsymbol=" + symbol + L"\r\nperiod=" + period +
         L"\r\nbarup_color=65280\r\n<window>\r\nheight=100\r\n</window>\r\n" + expert + L"</chart>\r\n";
}

std::string Ansi(const std::wstring& text) {
  const int size = static_cast<int>(text.size());
  std::string bytes(WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), size, bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr);
  return bytes;
}

std::string Utf16(const std::wstring& text, bool withMark) {
  std::string bytes = withMark ? "\xFF\xFE" : "";
  for (wchar_t c : text) bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
  return bytes;
}

// A terminal folder whose current profile is profiles\Default.
class ProfileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_lang.FillTables();
    g_lang.SetLanguage(kLangEnglish);
    g_files.CreateFolderPath(profile_);
  }
  std::wstring Terminal() const { return temp_.Path(); }
  std::wstring Chart(int n) const { return ReadChartText(ChartFilePath(profile_, n)).value_or(L""); }
  std::string Bytes(int n) const { return ReadBytes(ChartFilePath(profile_, n)); }
  std::string Bytes(const std::wstring& name) const { return ReadBytes(profile_ + L"\\" + name); }
  void Put(int n, const std::wstring& text) { WriteBytes(ChartFilePath(profile_, n), Ansi(text)); }
  void Put(const std::wstring& name, const std::wstring& text) { WriteBytes(profile_ + L"\\" + name, Ansi(text)); }
  std::vector<int> Numbers() const { return ExistingChartNumbers(profile_, 120); }
  void Ensure(int role, const std::wstring& ea = kEa) { EnsureEaOnFirstChart(role, Terminal(), ea, L""); }

  TempFolder temp_;
  ScriptedSeams seams_;
  std::wstring profile_ = temp_.Path() + L"profiles\\Default";
};

TEST_F(ProfileTest, Utf16FilesStayUtf16AndKeepEveryCharacter) {
  const std::wstring marked = UserChart(L"EURUSD", L"60", Expert(L"Old", kProviderInputs));
  const std::wstring unmarked = UserChart(L"GBPUSD", L"60", Expert(L"Other", kReceiverInputs));
  WriteBytes(ChartFilePath(profile_, 1), Utf16(marked, true));
  WriteBytes(ChartFilePath(profile_, 2), Utf16(unmarked, false));
  WriteBytes(profile_ + L"\\order.wnd", Utf16(L"EURUSD,Weekly\r\n", true));
  Ensure(1);
  EXPECT_EQ(Bytes(2), Utf16(ReplaceAll(marked, L"name=Old", L"name=RemovedOld"), true));
  EXPECT_EQ(Bytes(3), Utf16(ReplaceAll(unmarked, L"name=Other", L"name=RemovedOther"), true));
  EXPECT_EQ(ReadChartSymbol(Chart(1)), L"GBPUSD");
  EXPECT_EQ(ExtractInputsBlock(Chart(1)), kProviderInputs);
  EXPECT_EQ(Bytes(L"order.wnd"), Utf16(L"EURUSD,Weekly\r\nGBPUSD,Weekly\r\n", true));
}

TEST_F(ProfileTest, AFailedOrOversizedWriteLeavesTheOldChartWhole) {
  const std::wstring path = ChartFilePath(profile_, 1);
  Put(1, UserChart(L"EURUSD"));
  const std::string before = Bytes(1);
  {
    UniqueHandle held(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(WriteChartFile(path, L"<chart>\r\n</chart>"));
  }
  EXPECT_FALSE(WriteChartFile(path, L""));
  EXPECT_EQ(Bytes(1), before);
  std::vector<std::wstring> files;
  g_files.FindFiles(profile_, files, false);
  EXPECT_EQ(files.size(), 1u);

  Put(2, UserChart(L"EURUSD", L"60", Expert(L"X", kProviderInputs)) +
             std::wstring(static_cast<std::size_t>(kMaxEditableBytes), L' '));
  const std::size_t size = Bytes(2).size();
  CleanProfileCharts(profile_, kEa);
  EXPECT_EQ(Bytes(2).size(), size);
}

// The English code page holds no Chinese: there the charts are UTF-16, and so is the new one.
TEST_F(ProfileTest, ChineseInputNamesComeBackIntactOnEverySystem) {
  const std::wstring inputs =
      L"<inputs>\r\n喊单账号=1001\r\n反向跟单=true\r\n跟单设置=1\r\n跟单注释=备注\r\n</inputs>";
  const std::wstring chart = UserChart(L"XAUUSD", L"60", Expert(L"旧跟单", inputs));
  WriteBytes(ChartFilePath(profile_, 1), TestLocale() == "zh" ? Ansi(chart) : Utf16(chart, true));
  Ensure(2, L"跟单系统");
  EXPECT_EQ(Chart(2), UserChart(L"XAUUSD", L"60", Expert(L"Removed旧跟单", inputs)));
  const std::wstring expert = L"\r\nname=跟单系统\r\npath=Experts\\跟单系统\r\nflags=343\r\n" + inputs;
  EXPECT_NE(Chart(1).find(expert), std::wstring::npos);
}

TEST_F(ProfileTest, TheOnlyInstallerChartGoesOnlyWhenAnEaIsPlaced) {
  Put(1, ComposeEaChart(L"EURUSD", L"10080", L"OldEa", L""));
  CleanProfileCharts(profile_, L"");
  EXPECT_EQ(Numbers(), std::vector<int>{1});
  CleanProfileCharts(profile_, L"PelkReceiver", {L"OldEa"});
  EXPECT_TRUE(Numbers().empty());
}

TEST_F(ProfileTest, CleaningVisitsEveryChartAcrossGaps) {
  Put(1, UserChart(L"EURUSD", L"60", Expert(L"A", kReceiverInputs)));
  Put(3, UserChart(L"GBPUSD", L"60", Expert(L"B", kProviderInputs)));
  Put(7, ComposeEaChart(L"EURUSD", L"10080", L"Old", L""));
  Put(9, UserChart(L"USDJPY", L"60", Expert(L"Mine", L"<inputs>\r\nLots=1\r\n</inputs>")));
  const std::string provider = Bytes(3), user = Bytes(9);
  CleanProfileCharts(profile_, kEa, {L"Old"});
  EXPECT_EQ(Numbers(), (std::vector<int>{1, 3, 9}));
  EXPECT_NE(Chart(1).find(L"\r\nname=RemovedA\r\n"), std::wstring::npos);
  EXPECT_NE(Chart(3).find(L"\r\nname=RemovedB\r\n"), std::wstring::npos);
  EXPECT_EQ(Bytes(9), user);
  EXPECT_EQ(Bytes(L"chartm.vrk"), provider);
}

TEST_F(ProfileTest, ExistingChartsMoveUpBehindTheNewEaChart) {
  std::vector<std::string> before;
  for (int n = 1; n <= 3; ++n) {
    Put(n, UserChart(n == 2 ? L"GBPUSD" : L"EURUSD"));
    before.push_back(Bytes(n));
  }
  Put(L"order.wnd", L"EURUSD,H1\r\nEURUSD,Weekly\r\n");
  Ensure(1);
  EXPECT_EQ(Numbers(), (std::vector<int>{1, 2, 3, 4}));
  for (int n = 1; n <= 3; ++n) EXPECT_EQ(Bytes(n + 1), before[n - 1]) << n;
  EXPECT_EQ(ReadChartSymbol(Chart(1)), L"GBPUSD");
  EXPECT_EQ(Bytes(L"order.wnd"), "EURUSD,H1\r\nEURUSD,Weekly\r\nGBPUSD,Weekly\r\n");
}

TEST_F(ProfileTest, WithoutChart01NothingIsShifted) {
  Put(2, UserChart(L"AUDUSD"));
  const std::string chart02 = Bytes(2);
  Ensure(2);
  EXPECT_EQ(Numbers(), (std::vector<int>{1, 2}));
  EXPECT_EQ(Bytes(2), chart02);
}

TEST_F(ProfileTest, AnEaChartFurtherBackIsSwappedWithChart01EvenBehindAGap) {
  for (int n = 1; n <= 4; ++n) Put(n, UserChart(L"EURUSD"));
  Put(5, UserChart(L"USDJPY", L"240", Expert(kEa)));
  Put(L"order.wnd", L"EURUSD,H1\r\nUSDJPY,H4\r\nGBPUSD,H1\r\n");
  const std::string chart01 = Bytes(1), chart05 = Bytes(5);
  Ensure(1);
  EXPECT_EQ(Numbers(), (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(Bytes(1), chart05);
  EXPECT_EQ(Bytes(5), chart01);
  EXPECT_EQ(Bytes(L"order.wnd"), "EURUSD,H1\r\nGBPUSD,H1\r\nUSDJPY,H4\r\n");

  // The cleaning leaves gaps; an EA chart behind one is still the one promoted, never doubled.
  DeleteFileW(ChartFilePath(profile_, 2).c_str());
  Put(1, UserChart(L"EURUSD"));
  Put(4, UserChart(L"USDJPY", L"240", Expert(kEa)));
  Ensure(1);
  EXPECT_EQ(Numbers(), (std::vector<int>{1, 3, 4, 5}));
  for (int n : Numbers()) EXPECT_EQ(Chart(n).find(std::wstring(L"name=") + kEa) != std::wstring::npos, n == 1) << n;
}

TEST_F(ProfileTest, AChartThatWillNotMoveKeepsEveryChartWhereItWas) {
  for (int n = 1; n <= 5; ++n) Put(n, UserChart(n == 2 ? L"GBPUSD" : L"EURUSD"));
  Put(L"order.wnd", L"EURUSD,H1\r\n");
  std::vector<std::string> before;
  for (int n = 1; n <= 5; ++n) before.push_back(Bytes(n));
  const std::wstring held = ChartFilePath(profile_, 3);
  std::wstring reason;
  {
    // Open in another program that does not share deleting, so the chart cannot be renamed.
    UniqueHandle holder(CreateFileW(held.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder);
    reason = EnsureEaOnFirstChart(1, Terminal(), kEa, L"");
  }
  EXPECT_EQ(Numbers(), (std::vector<int>{1, 2, 3, 4, 5}));
  for (int n = 1; n <= 5; ++n) EXPECT_EQ(Bytes(n), before[n - 1]) << n;
  EXPECT_EQ(Bytes(L"order.wnd"), "EURUSD,H1\r\n");
  const std::wstring why = ReplaceAll(g_lang.GetText(msg::kChartNotRenamed), L"{0}", held);
  EXPECT_EQ(reason, ReplaceAll(g_lang.GetText(msg::kEaNotOnFirstChart), L"{0}", why));
}

// Newer terminals keep their profiles only in the data folder; the install folder having none is no news.
TEST_F(ProfileTest, AnInstallFolderWithoutProfilesIsNotToldWhenTheDataFolderGotTheEa) {
  TempFolder install;
  EXPECT_EQ(EnsureEaOnFirstChart(1, install.Path(), kEa, Terminal() + L"MQL4\\"), L"");
  EXPECT_NE(Chart(1).find(std::wstring(L"name=") + kEa), std::wstring::npos);
}

// During a run the active window may be a terminal just started again: notices name their owner.
TEST_F(ProfileTest, ProfileNoticesAreOwnedByTheRunsWindowOrKeptBackWhenTheyAskNothing) {
  TempFolder install;
  const HWND owner = GetDesktopWindow();
  PromptPolicy policy(owner);
  ChartStep step{{}, &policy, {}};
  EnsureEaOnFirstChart(1, install.Path(), kEa, Terminal() + L"MQL4\\", step);
  EXPECT_TRUE(seams_.prompt.Messages().empty());
  EXPECT_EQ(step.notShown.size(), 2u);
  ChartStep alone{{}, &policy, {}};
  EnsureEaOnFirstChart(1, install.Path(), kEa, L"", alone);
  ASSERT_EQ(seams_.prompt.Messages().size(), 2u);
  for (const auto& shown : seams_.prompt.shown) EXPECT_EQ(shown.owner, owner);
}

TEST_F(ProfileTest, SavedProviderInputsGoOnlyIntoAProviderChart) {
  Put(L"chartm.vrk", UserChart(L"EURUSD", L"60", Expert(L"Old", kProviderInputs)));
  Ensure(2, L"PelkReceiver");
  EXPECT_EQ(ExtractInputsBlock(Chart(1)), L"");
  DeleteFileW(ChartFilePath(profile_, 1).c_str());
  Ensure(1);
  EXPECT_EQ(ExtractInputsBlock(Chart(1)), kProviderInputs);
}

TEST_F(ProfileTest, RunningTwiceCreatesNoSecondChart) {
  TempFolder data;
  g_files.CreateFolderPath(data / L"profiles\\Default");
  Put(1, UserChart(L"EURUSD"));
  Put(L"order.wnd", L"EURUSD,H1\r\n");
  for (int run = 0; run < 2; ++run) EnsureEaOnFirstChart(1, Terminal(), kEa, data / L"MQL4\\");
  EXPECT_EQ(Numbers(), (std::vector<int>{1, 2}));
  EXPECT_EQ(Bytes(L"order.wnd"), "EURUSD,H1\r\nEURUSD,Weekly\r\n");
  EXPECT_TRUE(FileExists(data / L"profiles\\Default\\chart01.chr"));
  EXPECT_FALSE(FileExists(data / L"profiles\\Default\\chart02.chr"));
}

TEST_F(ProfileTest, TheCurrentProfileComesFromLastProfileOrIsTold) {
  const std::wstring profiles = Terminal() + L"profiles\\";
  WriteBytes(profiles + L"lastprofile.ini", "Mine\r\n");
  g_files.CreateFolderPath(profiles + L"Charts\\Mine");
  EXPECT_EQ(FindProfileFolder(Terminal()), profiles + L"Charts\\Mine");
  g_files.CreateFolderPath(profiles + L"Mine");
  EXPECT_EQ(FindProfileFolder(Terminal() + L"MQL4\\"), profiles + L"Mine");
  EXPECT_TRUE(seams_.prompt.Messages().empty());

  const std::wstring notice = g_lang.GetText(msg::kInstallReceiver);
  EXPECT_EQ(PlaceEaChart(1, Terminal() + L"a\\b", kEa),
            ReplaceAll(g_lang.GetText(msg::kNoChartProfile), L"{0}", Terminal() + L"a\\b\\"));
  EXPECT_EQ(seams_.prompt.Messages(), (std::vector<std::wstring>{notice + L"#Profile", notice + L"#Profile#2"}));
}

TEST_F(ProfileTest, AProfileNameThatIsAPathFallsBackToDefault) {
  const std::wstring terminal = temp_ / L"t\\";
  g_files.CreateFolderPath(terminal + L"profiles\\Default");
  g_files.CreateFolderPath(temp_ / L"x");
  for (const std::wstring& name : {std::wstring(L"..\\..\\x"), temp_ / L"x"}) {
    WriteBytes(terminal + L"profiles\\lastprofile.ini", Ansi(name));
    EXPECT_EQ(EnsureEaOnFirstChart(1, terminal, kEa, L""), L"") << name;
    EXPECT_TRUE(FileExists(terminal + L"profiles\\Default\\chart01.chr"));
    EXPECT_TRUE(ExistingChartNumbers(temp_ / L"x", 9).empty()) << name;
  }
}

// Every file of a real profile keeps its bytes, one number up when chart01 was taken.
TEST_F(ProfileTest, RealProfilesKeepEveryUserLine) {
  const std::wstring samples = SamplesFolder();
  if (samples.empty()) GTEST_SKIP() << "MT4 sample files absent: set PANDRAKE_SHARED_DIR to the shared folder";
  for (const wchar_t* source : {L"bthek1-Trading_Bot_4\\profiles\\default", L"bthek1-Trading_Bot_4\\profiles\\mine",
                                L"kmugglet-elpheba\\dc4aecb\\profiles\\default"}) {
    SCOPED_TRACE(source);
    g_files.DeleteFolder(profile_);
    std::vector<std::wstring> files;
    g_files.FindFiles(samples + source, files, false);
    for (const std::wstring& file : files) g_files.CopyFileTo(file, profile_ + L"\\" + FileNameOf(file, true), true);
    const std::vector<int> numbers = Numbers();
    ASSERT_FALSE(numbers.empty());
    std::vector<std::string> before;
    for (int n : numbers) before.push_back(Bytes(n));
    const std::string order = Bytes(L"order.wnd");
    Ensure(2, L"PelkReceiver");
    const int shift = numbers.front() == 1 ? 1 : 0;
    for (std::size_t i = 0; i < numbers.size(); ++i) EXPECT_EQ(Bytes(numbers[i] + shift), before[i]);
    EXPECT_NE(Chart(1).find(L"\r\nname=PelkReceiver\r\n"), std::wstring::npos);
    EXPECT_EQ(Bytes(L"order.wnd").substr(0, order.size()), order);
  }
}

}  // namespace
