#include "terminal/ea_log_text.h"

#include <cstdlib>
#include <vector>

namespace {

struct LogLine {
  std::string_view time;
  std::string_view text;
};

std::vector<LogLine> LinesOf(std::string_view log) {
  std::vector<LogLine> lines;
  while (!log.empty()) {
    const std::size_t end = log.find('\n');
    std::string_view line = log.substr(0, end);
    log = end == std::string_view::npos ? std::string_view() : log.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::size_t first = line.find('\t');
    const std::size_t second = first == std::string_view::npos ? first : line.find('\t', first + 1);
    if (second == std::string_view::npos) continue;
    lines.push_back({line.substr(first + 1, second - first - 1), line.substr(second + 1)});
  }
  return lines;
}

// "<name> <SYMBOL,TF>" before a phrase at the end of the text, split at its last blank: names
// may hold blanks, symbols carry suffixes but no blanks.
struct Subject {
  std::string_view name;
  std::string_view chart;
};

std::optional<Subject> SubjectBefore(std::string_view text, std::string_view phrase) {
  const std::size_t at = text.rfind(phrase);
  if (at == std::string_view::npos || at == 0) return std::nullopt;
  const std::string_view head = text.substr(0, at);
  const std::size_t blank = head.rfind(' ');
  if (blank == std::string_view::npos || head.find(',', blank) == std::string_view::npos) return std::nullopt;
  return Subject{head.substr(0, blank), head.substr(blank + 1)};
}

bool IsEa(std::string_view name, std::string_view eaName) {
  if (name == eaName) return true;
  // A load names an EA in a subfolder with its folder; its other lines do not.
  return name.size() > eaName.size() && name.ends_with(eaName) && name[name.size() - eaName.size() - 1] == '\\';
}

// A load and its removal put the program's kind first ("Expert", a script's "Script"); the name
// without it, or nothing when there is none.
std::optional<std::string_view> KindlessName(std::string_view name) {
  for (const std::string_view kind : {std::string_view("Expert "), std::string_view("Script ")}) {
    if (name.starts_with(kind)) return name.substr(kind.size());
  }
  return std::nullopt;
}

// The EA's load: "Expert <name> <chart>: loaded successfully".
std::optional<std::string_view> LoadedChart(std::string_view text, std::string_view eaName) {
  const std::optional<Subject> subject = SubjectBefore(text, ": loaded successfully");
  const std::optional<std::string_view> name = subject ? KindlessName(subject->name) : std::nullopt;
  if (name && IsEa(*name, eaName)) return subject->chart;
  return std::nullopt;
}

// "<name> <chart>: <event>" of the EA on the loaded chart; the event text, or nothing.
std::optional<std::string_view> EventOf(std::string_view text, std::string_view eaName, std::string_view chart) {
  const std::size_t colon = text.find(": ");
  if (colon == std::string_view::npos) return std::nullopt;
  const std::optional<Subject> subject = SubjectBefore(text.substr(0, colon + 1), ":");
  if (!subject || subject->chart != chart) return std::nullopt;
  if (!IsEa(KindlessName(subject->name).value_or(subject->name), eaName)) return std::nullopt;
  return text.substr(colon + 2);
}

void Apply(std::string_view event, std::string_view time, bool dllRefused, EaLogVerdict& verdict) {
  const auto mark = [&](EaLogState state) {
    verdict.state = state;
    verdict.since = std::string(time);
  };
  if (event == "initialized") {
    mark(EaLogState::kRunning);
  } else if (event == "not initialized" || event.starts_with("initialization failed")) {
    if (verdict.state != EaLogState::kDllBlocked) mark(EaLogState::kInitFailed);
  } else if (event == "unresolved import function call" && dllRefused) {
    mark(EaLogState::kDllBlocked);
  } else if (event.starts_with("uninit reason ")) {
    verdict.uninitReason = std::atoi(std::string(event.substr(14)).c_str());
    if (verdict.state != EaLogState::kDllBlocked && verdict.state != EaLogState::kInitFailed) {
      mark(EaLogState::kStopped);
    }
  } else if (event == "removed") {
    if (verdict.state == EaLogState::kRunning || verdict.state == EaLogState::kLoaded) mark(EaLogState::kStopped);
  } else if (event == "trade operations not allowed by settings") {
    verdict.tradingNotAllowed = true;
  }
}

}  // namespace

EaLogVerdict ReadEaLog(std::string_view log, std::string_view eaName) {
  EaLogVerdict verdict;
  if (eaName.empty()) return verdict;
  const std::vector<LogLine> lines = LinesOf(log);
  std::size_t lastLoad = lines.size();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view text = lines[i].text;
    if (text.starts_with("Automated trading enabled") || text.starts_with("Automated trading disabled")) {
      verdict.autoTrading = text.starts_with("Automated trading enabled");
      verdict.autoTradingTime = std::string(lines[i].time);
    }
    if (LoadedChart(text, eaName)) lastLoad = i;
  }
  if (lastLoad == lines.size()) return verdict;
  verdict.chart = std::string(*LoadedChart(lines[lastLoad].text, eaName));
  verdict.state = EaLogState::kLoaded;
  verdict.since = std::string(lines[lastLoad].time);
  bool dllRefused = false;
  for (std::size_t i = lastLoad + 1; i < lines.size(); ++i) {
    const std::string_view text = lines[i].text;
    if (text.starts_with("Cannot call '") && text.ends_with("DLL is not allowed")) dllRefused = true;
    if (const std::optional<std::string_view> event = EventOf(text, eaName, verdict.chart)) {
      Apply(*event, lines[i].time, dllRefused, verdict);
    }
  }
  return verdict;
}
