#include "deploy/deploy_package.h"

#include "common/file_ctrl.h"
#include "common/path_text.h"
#include "deploy/deploy_preflight.h"
#include "deploy/deploy_trace.h"
#include "deploy/engine_messages.h"
#include "deploy/experts_ini.h"

DeploySource SourceOf(const CPackage& package, SignalRole role) {
  DeploySource source;
  source.roleFolder = package.RoleFolder(role);
  source.experts = package.ExpertsFolder(role);
  source.libraries = package.LibrariesFolder(role);
  source.indicators = package.IndicatorsFolder(role);
  source.expertsMask = package.ExpertsMask();
  source.librariesMask = package.LibrariesMask();
  for (const std::wstring* name : {&package.ProviderPackageName(), &package.ReceiverPackageName()}) {
    if (!name->empty()) source.copierEas.push_back(RoleEaNameOf(*name));
  }
  return source;
}

DeploySource PlainSourceOf(const CPackage& package) {
  DeploySource source;
  source.roleFolder = package.PackageFolder();
  source.experts = source.roleFolder + L"experts\\";
  source.libraries = SubfolderOr(source.roleFolder, L"libraries", L"experts\\libraries");
  source.indicators = SubfolderOr(source.roleFolder, L"indicators", L"experts\\indicators");
  source.expertsMask = package.ExpertsMask();
  source.librariesMask = package.LibrariesMask();
  return source;
}

std::wstring DeployPackageFiles(const DeploySource& source, const std::wstring& target, DeployLists& lists,
                               DeployState& state, bool& switchOn) {
  switchOn = false;
  if (target.empty()) return {};
  state = {};
  const std::wstring to = NormalizePath(target + L"\\");
  // The terminal creates its experts folder after the first login.
  if (!FolderExists(to + L"experts")) return EngineMessage(kMsgLogInFirst);
  if (source.experts.empty() || (!FolderExists(source.experts) && !FolderExists(source.indicators))) {
    return EngineMessage(kMsgInvalidRunningPath) + L"\n" + ParentFolderOf(source.roleFolder);
  }
  TraceExpertsMask(source.expertsMask);
  const std::vector<FolderJob> jobs{{source.experts, source.expertsMask, to + L"experts"},
                                    {source.libraries, source.librariesMask, to + L"libraries"},
                                    {source.indicators, L"*", to + L"indicators"}};
  state.errorText = PreflightRoot(to, jobs, state.neededBytes);
  if (!state.errorText.empty()) return state.errorText;
  int count = DeployFolder(jobs[0].from, jobs[0].masks, jobs[0].to, lists.experts, true, state);
  count += DeployFolder(jobs[1].from, jobs[1].masks, jobs[1].to, lists.libraries, true, state);
  count += DeployFolder(jobs[2].from, jobs[2].masks, jobs[2].to, lists.indicators, true, state);
  if (!state.errorText.empty()) return state.errorText;
  const bool listed = !lists.experts.empty() || !lists.indicators.empty();
  switchOn = count >= 1 && (!lists.experts.empty() || !lists.libraries.empty());
  return count >= 1 && listed ? std::wstring(kOutcomeSuccess) : EngineMessage(kMsgInstallFileMissing);
}

std::wstring DeployPackage(const DeploySource& source, const std::wstring& target, DeployLists& lists,
                           DeployState& state) {
  bool switchOn = false;
  const std::wstring result = DeployPackageFiles(source, target, lists, state, switchOn);
  if (!switchOn) return result;
  const std::wstring failure = EnableExpertsIni(NormalizePath(target + L"\\"));
  return failure.empty() ? result : failure;
}
