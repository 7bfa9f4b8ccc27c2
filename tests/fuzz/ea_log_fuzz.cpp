#include <string>
#include <string_view>

#include "terminal/ea_log_text.h"
#include "tests/fuzz/fuzz_text.h"

namespace {

bool SameVerdict(const EaLogVerdict& a, const EaLogVerdict& b) {
  return a.state == b.state && a.chart == b.chart && a.since == b.since && a.uninitReason == b.uninitReason &&
         a.tradingNotAllowed == b.tradingNotAllowed && a.autoTrading == b.autoTrading &&
         a.autoTradingTime == b.autoTradingTime;
}

}  // namespace

// The bytes are a log; the verdict of a log is the verdict of the same log with unrelated lines
// put between its lines.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string log(reinterpret_cast<const char*>(data), size);
  const EaLogVerdict verdict = ReadEaLog(log, "Velmar Signal");
  ReadEaLog(log, "");
  const std::string unrelated = "0\t00:00:00.000\tOther EA EURUSD,H1: initialized\n2\t00:00:00.000\t\n";
  std::string mixed = unrelated;
  for (std::size_t start = 0; start < log.size();) {
    std::size_t end = log.find('\n', start);
    end = end == std::string::npos ? log.size() : end + 1;
    const std::string line = log.substr(start, end - start);
    mixed += line;
    if (line.ends_with('\n')) mixed += unrelated;
    start = end;
  }
  FUZZ_CHECK(SameVerdict(verdict, ReadEaLog(mixed, "Velmar Signal")));
  return 0;
}
