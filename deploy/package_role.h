#pragma once
#include <string>
#include <vector>

#include "deploy/signal_role.h"

// The role an EA file name stands for by its keywords; a keyword at the very start of the
// name does not count, and a name with both roles' keywords is the Provider's.
SignalRole PackageRoleOfName(const std::wstring& fileName);

// The brand patterns, which also pick the brand's other files, then the role's EA pattern.
std::wstring BrandExpertsMask(const std::wstring& makerWord, const std::wstring& roleWord);
// The masks tried in turn when the brand mask finds no EA file.
std::vector<std::wstring> FallbackExpertsMasks(SignalRole role, bool traditionalChinese);
// A Traditional Chinese role folder name written in Simplified characters.
std::wstring SimplifiedFolderName(std::wstring name);
// The copier's library files; kept scrambled in the program.
std::wstring CopierLibrariesMask();

bool IsEaFileName(const std::wstring& fileName);
// The EA name of an EA file path: its file name without ".ex4".
std::wstring RoleEaNameOf(const std::wstring& eaPath);
