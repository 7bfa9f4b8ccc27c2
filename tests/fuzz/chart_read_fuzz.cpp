#include "charts/chart_kinds.h"
#include "charts/chart_plans.h"
#include "charts/chart_text.h"
#include "tests/fuzz/fuzz_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::wstring text = FuzzText(data, size);
  ReadChartSymbol(text);
  PeriodNameOf(text);
  ProfileNameOf(text);
  HasCopierWords(text);
  NeedsBooleanNormalizing(text);
  const std::wstring inputs = ExtractInputsBlock(text);
  FUZZ_CHECK(text.find(inputs) != std::wstring::npos);
  FUZZ_CHECK(InputsForNewChart(text, false) == inputs);
  InputsForNewChart(text, true);
  const std::wstring saved = SavedChartNameFor(text);
  FUZZ_CHECK(saved.empty() || saved == kProviderSavedChart || saved == kReceiverSavedChart);

  // Disabling only renames the EA: taking "Removed" out again gives the text back.
  const std::wstring disabled = DisableEa(text);
  if (text.find(L"Removed") == std::wstring::npos) {
    std::wstring restored = disabled;
    for (std::size_t pos; (pos = restored.find(L"Removed")) != std::wstring::npos;) restored.erase(pos, 7);
    FUZZ_CHECK(restored == text);
  }

  // One chart of the profile per text line; cleaning keeps at least one when it has no EA name.
  std::vector<NumberedChart> charts;
  std::size_t start = 0;
  for (int number = 1; start <= text.size() && number <= 20; ++number) {
    const std::size_t end = std::min(text.find(L'\x01', start), text.size());
    charts.push_back({number, text.substr(start, end - start)});
    start = end + 1;
  }
  const std::vector<CleanStep> steps = PlanCleaning(charts, L"");
  FUZZ_CHECK(steps.size() == charts.size());
  std::size_t deleted = 0;
  for (const CleanStep& step : steps) deleted += step.action == ChartAction::kDelete;
  FUZZ_CHECK(deleted < charts.size());
  return 0;
}
