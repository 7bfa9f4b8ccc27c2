#pragma once
#include <string>
#include <vector>

#include "common/run_policy.h"

// Putting the copier EA on the first chart of a terminal's current profile.
namespace chart_files {

// Places the EA on the first chart of the installation folder's profile and of the data folder's
// profile. role 1 Provider, 2 Receiver; any other role leaves the charts alone. dataMqlFolder is
// the data folder's MQL4 or MQL5 folder of the terminal, empty when it has none. Empty when the
// EA is on a chart of each profile, else the text for the user that says where and why not.
std::wstring EnsureEaOnFirstChart(int role, const std::wstring& terminalFolder, const std::wstring& eaName,
                                  const std::wstring& dataMqlFolder);

// What the chart step of an install needs beyond the folders, and the notices it kept back.
struct ChartStep {
  std::vector<std::wstring> copierEas;  // the package's role EA names: charts of the installer run one
  RunPolicy* policy = nullptr;          // tells the notices
  // An install folder without a profile while the data folder's took the EA: nothing to act on.
  std::vector<std::wstring> notShown;
};
std::wstring EnsureEaOnFirstChart(int role, const std::wstring& terminalFolder, const std::wstring& eaName,
                                  const std::wstring& dataMqlFolder, ChartStep& step);

// The current profile's folder without a trailing backslash; folder ends with a backslash. What
// was not found is told through the policy ("#Profile" notices).
std::wstring FindProfileFolder(const std::wstring& folder, RunPolicy* policy = nullptr);
// The same, gathering the notices instead.
std::wstring FindProfileFolder(const std::wstring& folder, std::vector<std::wstring>& notices);
// Empty when the EA is on a chart of the folder's profile, else why not.
std::wstring PlaceEaChart(int role, const std::wstring& folder, const std::wstring& eaName);
// Promotes the first chart carrying the EA.
bool FindEaChart(const std::wstring& profileFolder, const std::wstring& eaName);
// Makes the chart the first one and moves its window to the end of order.wnd.
void PromoteChart(const std::wstring& chartPath);
std::wstring PickChartSymbol(const std::wstring& profileFolder);
void AppendOrderLine(const std::wstring& profileFolder, const std::wstring& symbol, const std::wstring& periodName);

}  // namespace chart_files
