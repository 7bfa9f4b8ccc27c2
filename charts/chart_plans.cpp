#include "charts/chart_plans.h"

#include <algorithm>
#include <functional>

#include "charts/chart_kinds.h"
#include "charts/chart_text.h"
#include "charts/order_text.h"

std::vector<ChartMove> PlanChartShift(std::vector<int> existingNumbers) {
  std::erase_if(existingNumbers, [](int number) { return number < 1; });
  if (std::find(existingNumbers.begin(), existingNumbers.end(), 1) == existingNumbers.end()) return {};
  std::sort(existingNumbers.begin(), existingNumbers.end(), std::greater<int>());
  existingNumbers.erase(std::unique(existingNumbers.begin(), existingNumbers.end()), existingNumbers.end());
  std::vector<ChartMove> moves;
  for (int number : existingNumbers) moves.push_back({ChartFileName(number), ChartFileName(number + 1)});
  return moves;
}

std::vector<ChartMove> PlanChartSwap(const std::wstring& chartFileName, bool firstChartExists) {
  std::wstring lower = chartFileName;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; });
  const std::wstring first = ChartFileName(1);
  // A chart under the temporary name itself would be overwritten by chart01 on the way.
  if (lower == first || lower == kSwapChartName) return {};
  // The cleaning may have deleted chart01: then the chart only takes its name.
  if (!firstChartExists) return {{chartFileName, first}};
  return {{first, kSwapChartName}, {chartFileName, first}, {kSwapChartName, chartFileName}};
}

PromotionPlan PlanPromotion(const std::wstring& chartFileName, const std::wstring& chartText,
                            const std::optional<std::wstring>& orderText, bool firstChartExists) {
  if (!orderText) return {};
  const std::wstring symbol = ReadChartSymbol(chartText);
  const std::wstring periodName = symbol.empty() ? L"" : PeriodNameOf(chartText);
  if (periodName.empty()) return {};
  PromotionPlan plan;
  if (HasOrderLine(*orderText, symbol, periodName)) plan.orderText = MoveOrderLineToEnd(*orderText, symbol, periodName);
  plan.moves = PlanChartSwap(chartFileName, firstChartExists);
  return plan;
}

std::optional<std::size_t> FindEaChartIndex(const std::vector<std::wstring>& chartTexts,
                                            const std::wstring& eaName) {
  for (std::size_t i = 0; i < chartTexts.size(); ++i) {
    if (CarriesEa(chartTexts[i], eaName)) return i;
  }
  return std::nullopt;
}

namespace {

bool IsInstallerChart(const std::wstring& text, const std::wstring& eaName, const std::vector<std::wstring>& copierEas) {
  return HasInstallerMark(text) && (CarriesEa(text, eaName) || CarriesCopierEa(text, copierEas));
}

}  // namespace

std::vector<CleanStep> PlanCleaning(const std::vector<NumberedChart>& charts, const std::wstring& eaName,
                                    const std::vector<std::wstring>& copierEas) {
  std::size_t count = charts.size();
  bool keepFirst = true;
  std::vector<CleanStep> steps;
  for (const NumberedChart& chart : charts) {
    ChartAction action = ChartAction::kKeep;
    if (keepFirst && CarriesEa(chart.text, eaName)) {
      keepFirst = false;
    } else if (IsInstallerChart(chart.text, eaName, copierEas)) {
      // Uninstalling never takes the profile's last chart.
      if (!eaName.empty() || count > 1) {
        action = ChartAction::kDelete;
        --count;
      }
    } else if (IsProviderChart(chart.text) || IsReceiverChart(chart.text)) {
      action = ChartAction::kDisable;
    }
    steps.push_back({chart.number, action});
  }
  return steps;
}

std::wstring SavedChartForRole(int role) {
  if (role == 1) return kProviderSavedChart;
  if (role == 2) return kReceiverSavedChart;
  return L"";
}

std::wstring InputsForNewChart(const std::wstring& savedChartText, bool fromUniversalChart) {
  const std::wstring inputs = ExtractInputsBlock(savedChartText);
  return fromUniversalChart && HasCopierWords(inputs) ? NormalizeBooleans(inputs) : inputs;
}
