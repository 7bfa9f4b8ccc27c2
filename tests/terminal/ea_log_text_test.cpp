#include <gtest/gtest.h>

#include <string>

#include "terminal/copier_health_text.h"
#include "terminal/ea_log_text.h"

namespace {

TEST(EaLogTest, CrLfAndLfReadAlikeAndOtherLinesChangeNothing) {
  const std::string log =
      "0\t10:31:00.100\tExpert Velmar Signal EURUSD.pro,H1: loaded successfully\n"
      "0\t10:31:02.000\tVelmar Signal EURUSD.pro,H1: initialized\n";
  const EaLogVerdict lf = ReadEaLog(log, "Velmar Signal");
  EXPECT_EQ(lf.state, EaLogState::kRunning);
  EXPECT_EQ(lf.chart, "EURUSD.pro,H1");
  EXPECT_EQ(lf.since, "10:31:02.000");
  std::string crlf;
  for (char c : log) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(ReadEaLog(crlf, "Velmar Signal").since, lf.since);
  const std::string noise = "2\t10:31:01.000\tCustom indicator Velmar Signal EURUSD.pro,H1: \xC4\xE3\xBA\xC3 initialized\n";
  const std::size_t second = log.find('\n') + 1;
  EXPECT_EQ(ReadEaLog(log.substr(0, second) + noise + log.substr(second), "Velmar Signal").state, EaLogState::kRunning);
}

}  // namespace

namespace {

// A copier that runs needs all of it; the first problem found explains one that does not.
TEST(CopierHealthTest, RunningNeedsEveryFactAndTheLogsFresherAutoTradingWins) {
  HealthFacts facts{true, true, true, ExpertOptions{true, true, false, false}, "09:00:00", {}, true};
  EXPECT_EQ(JudgeHealth(facts).state, HealthState::kUnknown) << "no log of the EA yet";
  facts.log = ReadEaLog("0\t10:00:00.000\tExpert Copier EURUSD,H1: loaded successfully\n"
                        "0\t10:00:01.000\tCopier EURUSD,H1: initialized\n",
                        "Copier");
  const Health running = JudgeHealth(facts);
  EXPECT_EQ(running.state, HealthState::kRunning);
  EXPECT_EQ(running.chart, "EURUSD,H1");
  EXPECT_EQ(running.since, "10:00:01.000");

  facts.log.autoTrading = false;
  facts.log.autoTradingTime = "10:05:00.000";
  const Health off = JudgeHealth(facts);
  EXPECT_EQ(off.state, HealthState::kNotRunning);
  ASSERT_FALSE(off.problems.empty());
  EXPECT_STREQ(off.problems.front().code, "autotrading-off");
  facts.optionsTime = "10:06:00";  // the file written since says it is on again
  EXPECT_EQ(JudgeHealth(facts).state, HealthState::kRunning);

  facts.options->dllImports = false;
  EXPECT_STREQ(JudgeHealth(facts).problems.front().code, "dll-imports-off");
  facts.filesInPlace = false;
  EXPECT_STREQ(JudgeHealth(facts).problems.front().code, "files-missing");
}

}  // namespace
