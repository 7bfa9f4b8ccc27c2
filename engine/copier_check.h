#pragma once
#include <string>
#include <vector>

#include "deploy/package_folder.h"
#include "terminal/copier_health_text.h"

class DataFolderMap;

// What the copier of one role should look like inside a terminal.
struct CopierTarget {
  std::wstring eaName;                     // the role's EA name, without ".ex4"
  std::vector<std::wstring> libraryNames;  // the copier library's file names; the first found counts
  std::wstring libraryVersion;             // the package's; "" skips the comparison
};

// The role's copier as the installer's package holds it; no EA name when the package has none.
CopierTarget CopierTargetOf(const CPackage& package, SignalRole role);

struct CopierCheck {
  HealthFacts facts;
  Health health;
};

// Reads, and changes nothing: the files the terminal loads, config\experts.ini, the current
// profile's charts and the newest logs. runningExePaths are the lower-cased executables of the
// terminals running now.
CopierCheck CheckCopier(const std::wstring& installFolder, const CopierTarget& target,
                        const std::vector<std::wstring>& runningExePaths, const DataFolderMap& dataFolders);
