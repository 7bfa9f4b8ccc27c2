#include "charts/first_chart.h"

#include <vector>

#include "charts/chart_files.h"
#include "charts/chart_kinds.h"
#include "charts/chart_plans.h"
#include "charts/chart_text.h"
#include "charts/order_text.h"
#include "charts/profile_cleaning.h"
#include "common/file_ctrl.h"
#include "common/message_ids.h"
#include "common/path_text.h"
#include "common/seams.h"
#include "common/winmsg.h"

namespace chart_files {

namespace {

constexpr int kLastScannedChart = 99;
constexpr int kLastSymbolChart = 49;
constexpr int kLastShiftedChart = 100;

std::wstring OrderFileOf(const std::wstring& profileFolder) { return profileFolder + L"\\" + kOrderFileName; }

std::wstring SavedChartFor(int role, const std::wstring& profileFolder, bool& universal) {
  const std::wstring saved = profileFolder + L"\\" + SavedChartForRole(role);
  universal = !FileExists(saved);
  return universal ? profileFolder + L"\\" + kUniversalSavedChart : saved;
}

std::wstring Reason(int id, const std::wstring& path) { return ReplaceAll(g_lang.GetText(id), L"{0}", path); }

// Every chart moves one number up when chart01 exists; those above the range move first, so
// that none is overwritten.
std::vector<ChartMove> PlanProfileShift(const std::wstring& profileFolder) {
  std::vector<int> numbers = ExistingChartNumbers(profileFolder, kLastShiftedChart);
  for (int n = kLastShiftedChart + 1; FileExists(ChartFilePath(profileFolder, n)); ++n) numbers.push_back(n);
  return PlanChartShift(numbers);
}

// The new chart goes in only where chart01 was freed: writing it over a chart a failed shift put
// back would cost the trader that chart.
std::wstring WriteNewEaChart(int role, const std::wstring& profile, const std::wstring& eaName) {
  const std::wstring symbol = PickChartSymbol(profile);
  const std::vector<ChartMove> shift = PlanProfileShift(profile);
  const std::wstring stuck = ApplyMoves(profile, shift);
  if (!stuck.empty()) return Reason(msg::kChartNotRenamed, profile + L"\\" + stuck);
  bool universal = false;
  const std::wstring saved = SavedChartFor(role, profile, universal);
  const std::wstring inputs = InputsForNewChart(ReadChartText(saved).value_or(L""), universal);
  const std::wstring first = ChartFilePath(profile, 1);
  if (FileExists(first) || !WriteChartFile(first, ComposeEaChart(symbol, kNewChartPeriod, eaName, inputs))) {
    UndoMoves(profile, shift);
    return Reason(msg::kChartNotWritten, first);
  }
  AppendOrderLine(profile, symbol, kNewChartPeriodName);
  return L"";
}

struct Placement {
  std::wstring reason;  // empty when the EA is on the first chart, or there is no folder
  bool placed = false;
  bool noProfile = false;
  std::vector<std::wstring> notices;
};

Placement PlaceIn(int role, const std::wstring& folder, const std::wstring& eaName,
                  const std::vector<std::wstring>& copierEas) {
  if (folder.empty()) return {};
  Placement placement;
  const std::wstring base = WithTrailingBackslash(folder);
  const std::wstring profile = FindProfileFolder(base, placement.notices);
  CleanProfileCharts(profile, eaName, copierEas);
  if (!FolderExists(profile)) {
    placement.reason = Reason(msg::kNoChartProfile, base);
    placement.noProfile = true;
  } else if (FindEaChart(profile, eaName)) {
    placement.placed = true;
  } else {
    placement.reason = WriteNewEaChart(role, profile, eaName);
    placement.placed = placement.reason.empty();
  }
  return placement;
}

void ShowNotices(const std::vector<std::wstring>& notices, RunPolicy* policy) {
  for (const std::wstring& notice : notices) NotifyThrough(policy, notice);
}

}  // namespace

std::wstring EnsureEaOnFirstChart(int role, const std::wstring& terminalFolder, const std::wstring& eaName,
                                  const std::wstring& dataMqlFolder) {
  ChartStep step;
  return EnsureEaOnFirstChart(role, terminalFolder, eaName, dataMqlFolder, step);
}

std::wstring EnsureEaOnFirstChart(int role, const std::wstring& terminalFolder, const std::wstring& eaName,
                                  const std::wstring& dataMqlFolder, ChartStep& step) {
  if ((role != 1 && role != 2) || eaName.empty()) return L"";
  const Placement install = PlaceIn(role, terminalFolder, eaName, step.copierEas);
  const Placement data = PlaceIn(role, ParentFolderOf(dataMqlFolder), eaName, step.copierEas);
  if (data.placed) {
    step.notShown.insert(step.notShown.end(), install.notices.begin(), install.notices.end());
  } else {
    ShowNotices(install.notices, step.policy);
  }
  ShowNotices(data.notices, step.policy);
  // The terminal reads one of the two profiles: a folder without any is worth telling only when
  // the EA went on no chart at all. A chart that could not be written is always told.
  const bool placedSomewhere = install.placed || data.placed;
  for (const Placement* p : {&install, &data}) {
    if (!p->reason.empty() && !(p->noProfile && placedSomewhere)) return Reason(msg::kEaNotOnFirstChart, p->reason);
  }
  return L"";
}

std::wstring FindProfileFolder(const std::wstring& folder, RunPolicy* policy) {
  std::vector<std::wstring> notices;
  const std::wstring profile = FindProfileFolder(folder, notices);
  ShowNotices(notices, policy);
  return profile;
}

std::wstring FindProfileFolder(const std::wstring& folder, std::vector<std::wstring>& notices) {
  std::wstring profiles = folder + L"profiles\\";
  if (!FolderExists(profiles)) profiles = ParentFolderOf(folder) + L"profiles\\";
  const std::wstring notice = g_lang.GetText(msg::kInstallReceiver);
  if (!FolderExists(profiles)) notices.push_back(notice + L"#Profile");
  const std::wstring name = ProfileNameOf(g_files.ReadTextFile(profiles + L"lastprofile.ini"));
  if (!FolderExists(profiles + name)) profiles += L"Charts\\";
  const std::wstring profile = profiles + name;
  if (!FolderExists(profile)) notices.push_back(notice + L"#Profile#2");
  return profile;
}

std::wstring PlaceEaChart(int role, const std::wstring& folder, const std::wstring& eaName) {
  const Placement placement = PlaceIn(role, folder, eaName, {});
  ShowNotices(placement.notices, nullptr);
  return placement.reason;
}

bool FindEaChart(const std::wstring& profileFolder, const std::wstring& eaName) {
  if (eaName.empty()) return false;
  // Every chart counts, gaps included: the cleaning itself leaves gaps, and an EA chart behind one
  // must not get a twin.
  const std::vector<int> numbers = ExistingChartNumbers(profileFolder, kLastScannedChart);
  std::vector<std::wstring> texts;
  for (int n : numbers) texts.push_back(ReadChartText(ChartFilePath(profileFolder, n)).value_or(L""));
  const std::optional<std::size_t> found = FindEaChartIndex(texts, eaName);
  if (!found) return false;
  const std::wstring path = ChartFilePath(profileFolder, numbers[*found]);
  if (NeedsBooleanNormalizing(texts[*found])) WriteChartFile(path, NormalizeBooleans(texts[*found]));
  PromoteChart(path);
  return true;
}

void PromoteChart(const std::wstring& chartPath) {
  std::wstring dir = ParentFolderOf(chartPath);
  if (!dir.empty()) dir.pop_back();
  const std::optional<std::wstring> text = ReadChartText(chartPath);
  if (!text || !FileExists(OrderFileOf(dir))) return;
  const PromotionPlan plan = PlanPromotion(FileNameOf(chartPath, true), *text, ReadOrderText(OrderFileOf(dir)),
                                           FileExists(ChartFilePath(dir, 1)));
  if (plan.orderText) WriteChartFile(OrderFileOf(dir), *plan.orderText);
  ApplyMoves(dir, plan.moves);
}

std::wstring PickChartSymbol(const std::wstring& profileFolder) {
  std::vector<std::wstring> texts;
  for (int n : ExistingChartNumbers(profileFolder, kLastSymbolChart)) {
    if (std::optional<std::wstring> text = ReadChartText(ChartFilePath(profileFolder, n))) texts.push_back(*text);
  }
  return ::PickChartSymbol(texts, ReadOrderText(OrderFileOf(profileFolder)).value_or(L""));
}

void AppendOrderLine(const std::wstring& profileFolder, const std::wstring& symbol, const std::wstring& periodName) {
  const std::wstring path = OrderFileOf(profileFolder);
  const std::optional<std::wstring> order = ReadOrderText(path);
  if (!order) return;
  const std::wstring appended = ::AppendOrderLine(*order, symbol, periodName);
  if (appended != *order) WriteChartFile(path, appended);
}

}  // namespace chart_files
