#include "deploy/deploy_package.h"

#include "common/file_ctrl.h"
#include "common/path_text.h"
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
  return source;
}

std::wstring DeployPackage(const DeploySource& source, const std::wstring& target, DeployLists& lists,
                           DeployState& state) {
  if (target.empty()) return {};
  state = {};
  const std::wstring to = NormalizePath(target + L"\\");
  // The terminal creates its experts folder after the first login.
  if (!FolderExists(to + L"experts")) return EngineMessage(kMsgLogInFirst);
  if (source.experts.empty() || (!FolderExists(source.experts) && !FolderExists(source.indicators))) {
    return EngineMessage(kMsgInvalidRunningPath) + L"\n" + ParentFolderOf(source.roleFolder);
  }
  TraceExpertsMask(source.expertsMask);
  int count = DeployFolder(source.experts, source.expertsMask, to + L"experts", lists.experts, true, state);
  count += DeployFolder(source.libraries, source.librariesMask, to + L"libraries", lists.libraries, true, state);
  count += DeployFolder(source.indicators, L"*", to + L"indicators", lists.indicators, true, state);
  if (!state.errorText.empty()) return state.errorText;
  const bool listed = !lists.experts.empty() || !lists.indicators.empty();
  if (count >= 1 && (!lists.experts.empty() || !lists.libraries.empty())) EnableExpertsIni(to);
  return count >= 1 && listed ? std::wstring(kOutcomeSuccess) : EngineMessage(kMsgInstallFileMissing);
}
