#pragma once
#include <string>

// Full path of the running installer.
std::wstring InstallerPath();
