#include "deploy/uninstall.h"

#include <optional>
#include <vector>

#include "charts/chart_files.h"
#include "charts/chart_text.h"
#include "charts/first_chart.h"
#include "charts/profile_cleaning.h"
#include "common/edition.h"
#include "common/file_ctrl.h"
#include "common/path_text.h"
#include "deploy/package_role.h"
#include "terminal/mt_assist.h"

namespace {

constexpr int kLastChart = 99;

// Libraries live in the newer layout's folder or in the older one's.
std::wstring LibraryPath(const std::wstring& root, const std::wstring& name) {
  const std::wstring newer = root + L"libraries\\" + name;
  return FileExists(newer) ? newer : root + L"experts\\libraries\\" + name;
}

// A compiled copier file may lie among the indicators as well; "" when it is nowhere.
std::wstring ExpertPath(const std::wstring& root, const std::wstring& name) {
  for (const wchar_t* folder : {L"experts\\", L"indicators\\", L"experts\\indicators\\"}) {
    if (FileExists(root + folder + name)) return root + folder + name;
  }
  return {};
}

// Removes one file when it is there: "" when it was not, else "1000" or "1001".
std::wstring RemoveFound(const std::wstring& path) {
  if (path.empty() || !FileExists(path)) return {};
  return g_files.DeleteOneFile(path) ? kUninstallRemoved : kUninstallFailed;
}

// The worst result of the listed libraries. The signal configuration beside a library goes
// too, whatever happens to it.
std::wstring RemoveLibraries(const std::wstring& root, const std::wstring& libraryList) {
  std::wstring result;
  for (const std::wstring& name : SplitFileList(libraryList)) {
    result = WorseUninstallResult(result, RemoveFound(LibraryPath(root, name)));
  }
  for (const std::wstring& name : SplitFileList(libraryList)) {
    const std::wstring twin = SignalConfigTwin(name);
    if (!twin.empty()) g_files.DeleteOneFile(LibraryPath(root, twin));
  }
  return result;
}

// The worst result of the EA files; "" when none was found.
std::wstring RemoveExperts(const std::wstring& root, const std::wstring& eaList) {
  std::wstring result;
  for (const std::wstring& name : SplitFileList(eaList)) {
    result = WorseUninstallResult(result, RemoveFound(ExpertPath(root, name)));
  }
  return result;
}

// Installer-made charts go while another chart is left; the chart that takes the first place
// opens the way the removed first chart did.
void CleanCopierCharts(const std::wstring& root, const std::wstring& eaList, RunPolicy* policy) {
  const std::wstring profile = chart_files::FindProfileFolder(root, policy);
  std::vector<std::wstring> copierEas;
  for (const std::wstring& name : SplitFileList(eaList)) copierEas.push_back(RoleEaNameOf(name));
  CleanProfileCharts(profile, L"", copierEas);
  if (FileExists(ChartFilePath(profile, 1))) return;
  const std::vector<int> numbers = chart_files::ExistingChartNumbers(profile, kLastChart);
  if (numbers.empty()) return;
  const std::wstring path = ChartFilePath(profile, numbers.front());
  const std::optional<std::wstring> text = chart_files::ReadChartText(path);
  if (!text) return;
  const std::wstring changed = WithInstallerWindowType(*text);
  if (changed != *text) chart_files::WriteChartFile(path, changed);
}

}  // namespace

CopierFileLists ReadCopierFileLists(const std::wstring& installerFolder, bool withFixedNames) {
  std::vector<std::wstring> paths;
  g_files.FindFiles(installerFolder, paths, false);
  std::vector<std::wstring> names;
  for (const std::wstring& path : paths) names.push_back(FileNameOf(path, true));
  return BuildCopierFileLists(names, withFixedNames);
}

std::wstring UninstallTerminal(const std::wstring& terminalFolder, const std::wstring& installerFolder,
                               RunPolicy* policy) {
  const bool fullFeature = ActiveEdition().fullFeature;
  // Checked before anything goes: a running terminal would lose the files it does not hold and
  // keep the others.
  if (fullFeature && g_mtAssist.IsTerminalRunning(g_mtAssist.GetTerminalExe(terminalFolder))) {
    return kUninstallTerminalRunning;
  }
  const CopierFileLists lists = ReadCopierFileLists(installerFolder, fullFeature);
  const std::wstring installRoot = RemoveCopierFiles(g_mtAssist.GetMqlFolder(terminalFolder), lists.libraries,
                                                     lists.experts, lists.templates, policy);
  const std::wstring dataRoot = RemoveCopierFiles(g_mtAssist.GetDataMqlFolder(terminalFolder), lists.libraries,
                                                  lists.experts, lists.templates, policy);
  return CombineUninstallResults(installRoot, dataRoot);
}

std::wstring RemoveCopierFiles(const std::wstring& root, const std::wstring& libraryList,
                               const std::wstring& eaList, const std::wstring& templateList, RunPolicy* policy) {
  if (root.empty()) return {};
  const std::wstring base = WithTrailingBackslash(root);
  // A library that stays keeps the terminal failed whatever the EA files did.
  const std::wstring result = WorseUninstallResult(RemoveLibraries(base, libraryList), RemoveExperts(base, eaList));
  for (const std::wstring& name : SplitFileList(templateList)) g_files.DeleteOneFile(base + L"templates\\" + name);
  CleanCopierCharts(base, eaList, policy);
  return result;
}
