#include "deploy/package_folder.h"

#include <vector>

#include "common/edition.h"
#include "common/file_ctrl.h"
#include "common/file_tree.h"
#include "common/message_ids.h"
#include "common/path_text.h"
#include "common/seams.h"
#include "common/winmsg.h"

namespace {

// The largest EA file listed; the first listed wins among equal sizes.
std::wstring LargestEaFile(const std::vector<std::wstring>& files) {
  // A brand pattern also lists the brand's other files; only an EA file can stand for the role.
  std::vector<std::wstring> eas;
  for (const std::wstring& file : files) {
    if (IsEaFileName(file)) eas.push_back(file);
  }
  return g_files.LargestFile(eas);
}

}  // namespace

CPackage::CPackage(std::wstring packageFolder, InstallMode mode)
    : folder_(WithTrailingBackslash(std::move(packageFolder))), mode_(mode) {}

void CPackage::DetectPackage(bool report) { DetectPackage(report, FileTree(folder_)); }

void CPackage::DetectPackage(bool report, const FileTree& packageFiles) {
  providerName_.clear();
  receiverName_.clear();
  const std::vector<std::wstring> files = packageFiles.Matching(L"*.ex4,*.ex5");
  for (const std::wstring& file : files) {
    const std::wstring name = FileNameOf(file, true);
    const SignalRole role = PackageRoleOfName(name);
    if (role == kRoleProvider) providerName_ = name;
    if (role == kRoleReceiver) receiverName_ = name;
    if (!providerName_.empty() && !receiverName_.empty()) break;
  }
  if (report && files.size() >= 2 && (providerName_.empty() || receiverName_.empty())) {
    ShowMessage(L"Invalid source files");
  }
}

std::optional<std::wstring> CPackage::ChooseRoleEa(SignalRole role) {
  if (role != kRoleProvider && role != kRoleReceiver) return std::nullopt;
  if (mode_ == kBothRoles) {
    const int word = role == kRoleProvider ? msg::kRoleProvider : msg::kRoleReceiver;
    expertsMask_ = BrandExpertsMask(ActiveEdition().makerWord, g_lang.GetText(word));
  }
  std::wstring eaPath = FindEaFile(role, expertsMask_);
  const bool traditional = g_lang.Language() == kLangTraditionalChinese;
  for (const std::wstring& fallback : FallbackExpertsMasks(role, traditional)) {
    if (!eaPath.empty()) break;
    expertsMask_ = fallback;
    eaPath = FindEaFile(role, expertsMask_);
  }
  if (eaPath.empty()) {
    ShowMessage(g_lang.GetText(msg::kInstallFileNotFound));
    return std::nullopt;
  }
  return RoleEaNameOf(eaPath);
}

std::wstring CPackage::FindEaFile(SignalRole role, const std::wstring& mask) const {
  std::vector<std::wstring> files;
  g_files.FindFiles(ExpertsFolder(role), files, false, mask);
  return LargestEaFile(files);
}

std::wstring CPackage::RoleFolder(SignalRole role) const {
  if (role != kRoleProvider && role != kRoleReceiver) return L"";
  if (mode_ != kBothRoles) return folder_;
  const std::wstring title = g_lang.GetText(role == kRoleProvider ? msg::kSignalProvider : msg::kSignalReceiver);
  const std::wstring roleFolder = folder_ + title + L"\\";
  if (g_lang.Language() != kLangTraditionalChinese || FolderExists(roleFolder)) return roleFolder;
  return folder_ + SimplifiedFolderName(title) + L"\\";
}

std::wstring CPackage::ExpertsFolder(SignalRole role) const {
  const std::wstring roleFolder = RoleFolder(role);
  return roleFolder.empty() ? roleFolder : roleFolder + L"experts\\";
}

std::wstring CPackage::LibrariesFolder(SignalRole role) const {
  return SubfolderOr(role, L"libraries", L"experts\\libraries");
}

std::wstring CPackage::IndicatorsFolder(SignalRole role) const {
  return SubfolderOr(role, L"indicators", L"experts\\indicators");
}

std::wstring CPackage::SubfolderOr(SignalRole role, const std::wstring& name, const std::wstring& fallback) const {
  const std::wstring roleFolder = RoleFolder(role);
  return roleFolder.empty() ? roleFolder : ::SubfolderOr(roleFolder, name, fallback);
}

std::wstring SubfolderOr(const std::wstring& folder, const std::wstring& name, const std::wstring& fallback) {
  return FolderExists(folder + name) ? folder + name + L"\\" : folder + fallback + L"\\";
}
