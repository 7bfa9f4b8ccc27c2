#include <gtest/gtest.h>

#include <string>

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
