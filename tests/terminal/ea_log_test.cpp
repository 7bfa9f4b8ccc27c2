#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/file_ctrl.h"
#include "terminal/ea_log_text.h"
#include "terminal/expert_options_text.h"
#include "tests/charts/sample_files.h"
#include "tests/support/fake_terminal_process.h"
#include "tests/support/temp_folder.h"

namespace {

// Real journals and experts logs beside the MT4 chart samples; each case is a file that shows
// the event (SOURCES.md there says where they come from).
class EaLogSamplesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::wstring charts = SamplesFolder();
    if (charts.empty()) GTEST_SKIP() << "the MT4 samples are not beside the checkout";
    logs_ = charts.substr(0, charts.size() - 4) + L"mt4-logs\\";
  }
  // The first lines of the file only, when given.
  EaLogVerdict Read(const std::wstring& file, const char* ea, std::size_t lines = 0) const {
    std::string bytes = ReadBytes(logs_ + file);
    for (std::size_t at = 0, seen = 0; lines && at < bytes.size(); ++at) {
      if (bytes[at] == '\n' && ++seen == lines) bytes.resize(at + 1);
    }
    return ReadEaLog(bytes, ea);
  }
  std::wstring logs_;
};

TEST_F(EaLogSamplesTest, EachEventKindIsFoundInTheFilesThatShowIt) {
  const EaLogVerdict stopped = Read(L"algomaschine-jenkins-mt4\\MQL4\\Logs\\20190121.log", "last_200_bars");
  EXPECT_EQ(stopped.state, EaLogState::kStopped);
  EXPECT_EQ(stopped.chart, "EURJPY,M1");
  EXPECT_EQ(stopped.uninitReason, 4);

  const EaLogVerdict blocked = Read(L"Anter10-MQL4@c6800e4\\Logs\\20200620.log", "DLLSampleTester");
  EXPECT_EQ(blocked.state, EaLogState::kDllBlocked) << "a load from a subfolder counts";
  EXPECT_EQ(blocked.chart, "USDCNH,H1");

  // Read as far as the terminal had written at the moment of the event.
  const EaLogVerdict failed = Read(L"KC-Kamioka-SpanModelTrader\\MQL4\\Logs\\20170927.log", "SpanModelTrader", 1263);
  EXPECT_EQ(failed.state, EaLogState::kInitFailed);
  EXPECT_EQ(failed.chart, "GBPJPY,H1");

  EXPECT_TRUE(Read(L"Anter10-MQL4@c6800e4\\Logs\\20200625.log", "FollowTrader", 1480).tradingNotAllowed);
  const EaLogVerdict changed = Read(L"Anter10-MQL4@c6800e4\\Logs\\20200624.log", "FollowTrader", 34);
  EXPECT_EQ(changed.autoTrading, false) << "switched off when the account changed";
  EXPECT_EQ(Read(L"Anter10-MQL4@c6800e4\\Logs\\20200625.log", "FollowTrader").autoTradingTime, "12:50:43.846");

  const EaLogVerdict trading = Read(L"cleitoncsg-investMVC@031eaa1\\MQL4\\Logs\\20150421.log", "investMVC");
  EXPECT_EQ(trading.autoTrading, true);
  EXPECT_EQ(trading.autoTradingTime, "19:03:37.474");

  // Indicators load alike but are no EA.
  EXPECT_EQ(Read(L"FidelRoman-MT4\\logs\\20190228.log", "Heiken Ashi").state, EaLogState::kUnknown);
}

// The options the bytes of real experts.ini files hold; SOURCES.md there lists their integers.
TEST_F(EaLogSamplesTest, ExpertsIniOptionsAreReadAtTheirOffsets) {
  const auto options = [&](const wchar_t* file) { return ReadExpertOptions(ReadBytes(logs_ + file)); };
  ASSERT_TRUE(options(L"cleitoncsg-investMVC@31698c6\\config\\experts.ini").has_value());
  EXPECT_FALSE(options(L"cleitoncsg-investMVC@31698c6\\config\\experts.ini")->autoTrading);
  EXPECT_TRUE(options(L"cleitoncsg-investMVC@a4cf10c\\config\\experts.ini")->autoTrading);
  EXPECT_TRUE(options(L"nguemechieu-TradeExpert\\config\\experts.ini")->dllImports);
  EXPECT_FALSE(options(L"kmugglet-elpheba\\config\\experts.ini")->dllImports);
  EXPECT_FALSE(options(L"algomaschine-jenkins-mt4\\config\\experts.ini")->offOnAccountChange);
  EXPECT_TRUE(options(L"KC-Kamioka-SpanModelTrader\\config\\experts.ini")->offOnAccountChange);
  EXPECT_FALSE(ReadExpertOptions(std::string(39, '\1')).has_value());
}

// The logs of a terminal of the legacy layout, its data in its own folder, read as the copier's
// health check reads them; the lines are those of the real logs above.
class RunningTerminalLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteBytes(install_ + L"\\profiles\\lastprofile.ini", "Copier\r\n");
    WriteBytes(install_ + L"\\profiles\\Copier\\chart01.chr",
               "<chart>\r\nsymbol=EURUSD\r\nperiod=60\r\n<window>\r\n<indicator>\r\nname=main\r\n</indicator>\r\n"
               "</window>\r\n<expert>\r\nname=Signals\\Velmar Receiver\r\n</expert>\r\n</chart>\r\n");
  }
  // The days' files of a log folder in date order.
  std::string Log(const wchar_t* folder) const {
    std::vector<std::wstring> days;
    g_files.FindFiles(install_ + folder, days, false, L"*.log");
    std::sort(days.begin(), days.end());
    std::string text;
    for (const std::wstring& day : days) text += ReadBytes(day);
    return text;
  }
  EaLogVerdict ExpertsLogVerdict() const { return ReadEaLog(Log(L"\\MQL4\\Logs"), "Velmar Receiver"); }

  TempFolder folder_;
  std::wstring install_ = folder_ / L"MT4";
};

TEST_F(RunningTerminalLogTest, DllImportsOffBlockTheEaAndClosingStopsARunningOne) {
  {
    FakeTerminal terminal(install_, L"1: Demo");
    ASSERT_TRUE(terminal.Window());
    EXPECT_EQ(ExpertsLogVerdict().state, EaLogState::kDllBlocked) << "no experts.ini: DLL imports are off";
    const std::string journal = Log(L"\\logs");
    const std::string loaded = "\tExpert Signals\\Velmar Receiver EURUSD,H1: loaded successfully\r\n";
    EXPECT_TRUE(journal.starts_with("2\t") && journal.find(loaded) != std::string::npos) << journal;
  }
  std::string options(4388, '\0');
  options[0x14] = options[0x24] = 1;
  WriteBytes(install_ + L"\\config\\experts.ini", options);
  FakeTerminal terminal(install_, L"1: Demo");
  ASSERT_TRUE(terminal.Window());
  EXPECT_EQ(ExpertsLogVerdict().state, EaLogState::kRunning);
  PostMessageW(terminal.Window(), WM_CLOSE, 0, 0);
  ASSERT_TRUE(terminal.Exited(10000));
  const EaLogVerdict stopped = ExpertsLogVerdict();
  EXPECT_EQ(stopped.state, EaLogState::kStopped);
  EXPECT_EQ(stopped.uninitReason, 9);
  EXPECT_EQ(stopped.chart, "EURUSD,H1");
}

}  // namespace
