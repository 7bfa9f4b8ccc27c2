#pragma once
#include <string>
#include <vector>

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
  std::vector<std::wstring> copierEas;  // both roles' EA names: what the installer's charts run
};

DeploySource SourceOf(const CPackage& package, SignalRole role);
// The limited edition's install: the package folder's own experts, libraries and indicators.
DeploySource PlainSourceOf(const CPackage& package);

// Names deployed from each folder kind, every name followed by ",".
struct DeployLists {
  std::wstring experts;
  std::wstring indicators;
  std::wstring libraries;
};

// Deploys the source into one MQL folder (or legacy install folder) and switches the EA options
// on. "" for an empty target, "SUCC" on success, else the message to show. The state is reset
// first. Nothing is copied when the root cannot take the files; a copy that fails midway leaves
// experts.ini alone.
std::wstring DeployPackage(const DeploySource& source, const std::wstring& target, DeployLists& lists,
                           DeployState& state);

// The same without touching experts.ini; switchOn tells whether the EA options are to be switched on.
std::wstring DeployPackageFiles(const DeploySource& source, const std::wstring& target, DeployLists& lists,
                               DeployState& state, bool& switchOn);
