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
};

Placement PlaceIn(int role, const std::wstring& folder, const std::wstring& eaName) {
  if (folder.empty()) return {};
  const std::wstring base = WithTrailingBackslash(folder);
  const std::wstring profile = FindProfileFolder(base);
  CleanProfileCharts(profile, eaName);
  if (!FolderExists(profile)) return {Reason(msg::kNoChartProfile, base), false, true};
  if (FindEaChart(profile, eaName)) return {L"", true};
  std::wstring reason = WriteNewEaChart(role, profile, eaName);
  const bool placed = reason.empty();
  return {std::move(reason), placed};
}

}  // namespace

std::wstring EnsureEaOnFirstChart(int role, const std::wstring& terminalFolder, const std::wstring& eaName,
                                  const std::wstring& dataMqlFolder) {
  if ((role != 1 && role != 2) || eaName.empty()) return L"";
  const Placement install = PlaceIn(role, terminalFolder, eaName);
  const Placement data = PlaceIn(role, ParentFolderOf(dataMqlFolder), eaName);
  // The terminal reads one of the two profiles: a folder without any is worth telling only when
  // the EA went on no chart at all. A chart that could not be written is always told.
  const bool placedSomewhere = install.placed || data.placed;
  for (const Placement* p : {&install, &data}) {
    if (!p->reason.empty() && !(p->noProfile && placedSomewhere)) return Reason(msg::kEaNotOnFirstChart, p->reason);
  }
  return L"";
}

std::wstring FindProfileFolder(const std::wstring& folder) {
  std::wstring profiles = folder + L"profiles\\";
  if (!FolderExists(profiles)) profiles = ParentFolderOf(folder) + L"profiles\\";
  const std::wstring notice = g_lang.GetText(msg::kInstallReceiver);
  if (!FolderExists(profiles)) ShowMessage(notice + L"#Profile");
  const std::wstring name = ProfileNameOf(g_files.ReadTextFile(profiles + L"lastprofile.ini"));
  if (!FolderExists(profiles + name)) profiles += L"Charts\\";
  const std::wstring profile = profiles + name;
  if (!FolderExists(profile)) ShowMessage(notice + L"#Profile#2");
  return profile;
}

std::wstring PlaceEaChart(int role, const std::wstring& folder, const std::wstring& eaName) {
  return PlaceIn(role, folder, eaName).reason;
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
