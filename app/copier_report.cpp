#include "app/copier_report.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>

#include "app/copier_column.h"
#include "common/message_ids.h"
#include "common/path_text.h"
#include "common/winmsg.h"

namespace {

struct CheckLine {
  int name;
  std::initializer_list<const char*> codes;  // the problems this check finds
};

const CheckLine kCheckLines[] = {
    {msg::kCopierCheckFiles, {"files-missing"}},
    {msg::kCopierCheckLibrary, {"library-version"}},
    {msg::kCopierCheckChart, {"not-on-chart"}},
    {msg::kCopierCheckAutoTrading, {"autotrading-off"}},
    {msg::kCopierCheckDllImports, {"dll-imports-off"}},
    {msg::kCopierCheckLog, {"dll-calls-blocked", "init-failed", "stopped", "trading-not-allowed"}},
    {msg::kCopierCheckTerminal, {"terminal-not-running"}},
};

std::wstring LineOf(const CheckLine& line, const Health& health) {
  std::wstring text;
  for (const HealthProblem& problem : health.problems) {
    const bool found = std::any_of(line.codes.begin(), line.codes.end(),
                                   [&](const char* code) { return std::strcmp(code, problem.code) == 0; });
    if (found) text += L"\n    " + ProblemText(problem, health.uninitReason);
  }
  return (text.empty() ? L"[OK] " : L"[!] ") + g_lang.GetText(line.name) + text;
}

}  // namespace

std::wstring CopierReportText(const std::wstring& installFolder, const CopierCheck& check) {
  std::wstring report = ReplaceAll(g_lang.GetText(msg::kCopierReportTitle), L"{0}", installFolder) + L"\n\n";
  report += CopierColumnText(check.health);
  if (!check.health.since.empty()) report += L" (" + std::wstring(check.health.since.begin(), check.health.since.end()) + L")";
  report += L"\n";
  for (const CheckLine& line : kCheckLines) report += L"\n" + LineOf(line, check.health);
  return report;
}
