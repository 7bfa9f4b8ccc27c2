#pragma once
#include <string>

#include "deploy/deploy_folder.h"
#include "deploy/package_folder.h"

// One role's files in the package: the folders copied and the masks that pick their files.
// Folders end with a backslash.
struct DeploySource {
  std::wstring roleFolder;
  std::wstring experts;
  std::wstring libraries;
  std::wstring indicators;
  std::wstring expertsMask = L"*";
  std::wstring librariesMask = L"*";
};

DeploySource SourceOf(const CPackage& package, SignalRole role);

// Names deployed from each folder kind, every name followed by ",".
struct DeployLists {
  std::wstring experts;
  std::wstring indicators;
  std::wstring libraries;
};

// Deploys the source into one MQL folder (or legacy install folder) and switches the EA options
// on. "" for an empty target, "SUCC" on success, else the message to show. The state is reset first.
std::wstring DeployPackage(const DeploySource& source, const std::wstring& target, DeployLists& lists,
                           DeployState& state);
