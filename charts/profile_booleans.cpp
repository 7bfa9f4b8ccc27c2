#include "charts/profile_booleans.h"

#include <optional>
#include <vector>

#include "charts/chart_files.h"
#include "charts/chart_kinds.h"
#include "charts/chart_text.h"
#include "charts/first_chart.h"
#include "charts/text_ops.h"
#include "common/file_ctrl.h"
#include "common/path_text.h"

namespace {

bool HasCopierBooleans(const std::wstring& text) {
  using chart_text_ops::Contains;
  if (!Contains(text, L"设置") || !(IsProviderChart(text) || IsReceiverChart(text))) return false;
  return Contains(text, L"=true") || Contains(text, L"=false");
}

}  // namespace

void NormalizeProfileBooleans(const std::wstring& root, RunPolicy* policy) {
  if (root.empty()) return;
  const std::wstring profile = chart_files::FindProfileFolder(WithTrailingBackslash(root), policy);
  std::vector<std::wstring> charts;
  g_files.FindFiles(profile, charts, false, L"*.chr");
  for (const std::wstring& path : charts) {
    const std::optional<std::wstring> text = chart_files::ReadChartText(path);
    if (text && HasCopierBooleans(*text)) chart_files::WriteChartFile(path, NormalizeBooleans(*text));
  }
}
