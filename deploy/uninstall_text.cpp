#include "deploy/uninstall_text.h"

#include "common/hidden_text.h"
#include "common/message_ids.h"
#include "common/path_text.h"
#include "common/winmsg.h"
#include "deploy/package_role.h"

namespace {

// The copier's EA files of every language, kept scrambled in the program like its library names.
std::wstring FixedEaNames() {
  static constexpr hidden::Text kSimplified(L"_Velmar喊单系统.ex4*_Velmar喊单EA.ex4*_Velmar跟单系统.ex4*_Velmar跟单EA.ex4");
  static constexpr hidden::Text kTraditional(L"_Velmar喊單系統.ex4*_Velmar喊單EA.ex4*_Velmar跟單系統.ex4*_Velmar跟單EA.ex4");
  static constexpr hidden::Text kEnglish(L"_Velmar Signal Provider.ex4*_Velmar Signal Receiver.ex4");
  static constexpr hidden::Text kHelper(L"_VelmarMT4助手.ex4*_Velmar MT4 Helper.ex4");
  return hidden::Decode(kSimplified.Stored()) + L"*" + hidden::Decode(kTraditional.Stored()) + L"*" +
         hidden::Decode(kEnglish.Stored()) + L"*" + hidden::Decode(kHelper.Stored());
}

std::wstring FixedLibraryNames() { return ReplaceAll(CopierLibrariesMask(), L";", L"*"); }

bool EndsWith(const std::wstring& name, const std::wstring& ending) {
  return name.size() >= ending.size() && name.compare(name.size() - ending.size(), ending.size(), ending) == 0;
}

void AppendNames(std::wstring& list, const std::vector<std::wstring>& names) {
  for (const std::wstring& name : names) list += name + L"*";
}

void AppendNamesEndingWith(std::wstring& list, const std::vector<std::wstring>& names, const wchar_t* ending) {
  for (const std::wstring& name : names) {
    if (EndsWith(name, ending)) list += name + L"*";
  }
}

}  // namespace

CopierFileLists BuildCopierFileLists(const std::vector<std::wstring>& installerFileNames, bool withFixedNames) {
  CopierFileLists lists;
  if (withFixedNames) {
    AppendNames(lists.libraries, SplitFileList(FixedLibraryNames()));
    AppendNames(lists.experts, SplitFileList(FixedEaNames()));
  }
  AppendNamesEndingWith(lists.libraries, installerFileNames, L".dll");
  AppendNamesEndingWith(lists.experts, installerFileNames, L".ex4");
  AppendNamesEndingWith(lists.templates, installerFileNames, L".tpl");
  return lists;
}

std::vector<std::wstring> SplitFileList(const std::wstring& list) { return SplitAt(list, L'*'); }

std::wstring SignalConfigTwin(const std::wstring& libraryName) {
  if (!EndsWith(libraryName, L".dll")) return {};
  return libraryName.substr(0, libraryName.size() - 4) + L".sin";
}

std::wstring WorseUninstallResult(const std::wstring& a, const std::wstring& b) {
  if (a == kUninstallFailed || b == kUninstallFailed) return kUninstallFailed;
  if (a == kUninstallRemoved || b == kUninstallRemoved) return kUninstallRemoved;
  return {};
}

std::wstring CombineUninstallResults(const std::wstring& installRoot, const std::wstring& dataRoot) {
  const std::wstring worst = WorseUninstallResult(installRoot, dataRoot);
  return worst.empty() ? kUninstallNothingFound : worst;
}

std::wstring WithInstallerWindowType(const std::wstring& chartText) {
  std::wstring text = ReplaceAll(chartText, L"window_type=1", L"window_type=3");
  return ReplaceAll(std::move(text), L"window_type=2", L"window_type=3");
}

UninstallRowText RowTextOf(const std::wstring& code) {
  if (code == kUninstallRemoved) return {msg::kUninstallCompleted, true};
  if (code == kUninstallFailed) return {msg::kUninstallFailed, false};
  if (code == kUninstallTerminalRunning) return {msg::kCloseBeforeUninstall, false};
  return {msg::kNothingToUninstall, true};
}
