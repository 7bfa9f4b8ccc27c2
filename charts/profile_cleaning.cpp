#include "charts/profile_cleaning.h"

#include <vector>

#include "charts/chart_files.h"
#include "charts/chart_kinds.h"
#include "charts/chart_plans.h"
#include "charts/chart_text.h"
#include "common/file_ctrl.h"

using namespace chart_files;

namespace {

constexpr int kLastScannedChart = 99;

std::vector<NumberedChart> ReadCharts(const std::wstring& profileFolder) {
  std::vector<NumberedChart> charts;
  for (int n : ExistingChartNumbers(profileFolder, kLastScannedChart)) {
    // An oversized chart still counts as one of the profile's charts, but is never edited.
    const std::optional<std::wstring> text = ReadChartText(ChartFilePath(profileFolder, n));
    charts.push_back({n, text.value_or(L"")});
  }
  return charts;
}

}  // namespace

void SaveEaCharts(const std::wstring& profileFolder) {
  for (const NumberedChart& chart : ReadCharts(profileFolder)) {
    const std::wstring saved = SavedChartNameFor(chart.text);
    if (saved.empty()) continue;
    g_files.CopyFileTo(ChartFilePath(profileFolder, chart.number), profileFolder + L"\\" + saved, true);
  }
}

void CleanProfileCharts(const std::wstring& profileFolder, const std::wstring& eaName,
                        const std::vector<std::wstring>& copierEas) {
  SaveEaCharts(profileFolder);
  const std::vector<NumberedChart> charts = ReadCharts(profileFolder);
  const std::vector<CleanStep> steps = PlanCleaning(charts, eaName, copierEas);
  for (std::size_t i = 0; i < steps.size(); ++i) {
    const std::wstring path = ChartFilePath(profileFolder, steps[i].number);
    if (steps[i].action == ChartAction::kDelete) g_files.DeleteOneFile(path);
    if (steps[i].action == ChartAction::kDisable) WriteChartFile(path, DisableEa(charts[i].text));
  }
}
