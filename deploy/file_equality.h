#pragma once
#include <windows.h>

#include <string>

// Whether a package file and its target hold the same bytes, decided as the digest
// comparison would: a missing, unreadable or empty file and a folder all count as empty,
// and two empty ones are equal. Sizes are compared first, then the bytes.
bool FilesEqualForDeploy(const std::wstring& source, const std::wstring& target);

// The terminal's own experts.ini is never replaced by a package copy.
bool KeepsExistingTarget(const std::wstring& targetFile);

// 0 when the package file can be opened for reading, else the system error.
DWORD PackageFileError(const std::wstring& sourceFile);

// Copies sourceFile over targetFile unless the target exists and is equal (copy result 1
// without copying) or the target is kept. copied tells whether a copy was attempted. A package
// file that cannot be read gives kCopyNoSource; error receives the system error of a failure.
int CopyForDeploy(const std::wstring& sourceFile, const std::wstring& targetFile, bool overwrite,
                  bool* copied = nullptr, DWORD* error = nullptr);
