#pragma once
#include <optional>
#include <string>

#include "deploy/install_mode.h"
#include "deploy/package_role.h"

class FileTree;

// folder's subfolder name when it exists, else its subfolder fallback; both with a backslash.
std::wstring SubfolderOr(const std::wstring& folder, const std::wstring& name, const std::wstring& fallback);

// The folder the installer was started from, holding everything it deploys: where each role's
// files lie, which EA file stands for a role and the masks that select what is copied.
class CPackage {
 public:
  CPackage(std::wstring packageFolder, InstallMode mode);
  virtual ~CPackage() = default;

  // Finds the Provider and Receiver EA names in the whole package; with report, an incomplete
  // package is told to the user.
  void DetectPackage(bool report);
  // The same with the package folder's files already listed.
  void DetectPackage(bool report, const FileTree& packageFiles);
  // The role's EA name without extension, or nothing after telling the user that no EA file was
  // found. The experts mask that found the file stays set.
  std::optional<std::wstring> ChooseRoleEa(SignalRole role);

  // Folders with a trailing backslash; empty for no role.
  std::wstring RoleFolder(SignalRole role) const;
  std::wstring ExpertsFolder(SignalRole role) const;
  std::wstring LibrariesFolder(SignalRole role) const;
  std::wstring IndicatorsFolder(SignalRole role) const;

  const std::wstring& PackageFolder() const { return folder_; }
  InstallMode Mode() const { return mode_; }
  const std::wstring& ProviderPackageName() const { return providerName_; }
  const std::wstring& ReceiverPackageName() const { return receiverName_; }
  const std::wstring& ExpertsMask() const { return expertsMask_; }
  const std::wstring& LibrariesMask() const { return librariesMask_; }
  void SetLibrariesMask(const std::wstring& mask) { librariesMask_ = mask; }

 private:
  std::wstring FindEaFile(SignalRole role, const std::wstring& mask) const;
  std::wstring SubfolderOr(SignalRole role, const std::wstring& name, const std::wstring& fallback) const;

  std::wstring folder_;
  InstallMode mode_;
  std::wstring providerName_;
  std::wstring receiverName_;
  std::wstring expertsMask_ = L"*";
  std::wstring librariesMask_ = L"*";
};
